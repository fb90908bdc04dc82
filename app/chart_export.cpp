#include "app/chart_export.h"

#include <QBuffer>
#include <QFileInfo>
#include <QMimeData>
#include <QRegularExpression>

#include "app/work_table.h"
#include "chart/sheet.h"
#include "dialogs/messages.h"
#include "files/whole_file.h"
#include "render/picture_files.h"
#include "render/picture_painter.h"
#include "words/messages.h"

namespace app {
namespace {

constexpr double kExportDotsPerInch = 300.0;
constexpr double kCopyDotsPerInch = 150.0;

}  // namespace

std::expected<void, QString> exportWork(const QString& path, const chart::Picture& picture,
                                        const chart::MarkedWork& work,
                                        const chart::Settings& settings,
                                        const render::Underlay& underlay) {
    const auto refused = [&path](const QString& why) {
        return std::unexpected(
            dialogs::message(words::kSaveFailed).arg(QFileInfo(path).fileName(), why));
    };
    if (QFileInfo(path).suffix().compare(QLatin1String("csv"), Qt::CaseInsensitive) == 0) {
        const QByteArray text = "\xEF\xBB\xBF" + tableText(work, u',', settings).toUtf8();
        if (const auto written = files::writeWhole(path, text); !written) {
            return refused(written.error());
        }
        return {};
    }
    const auto kind = render::imageKindOf(path);
    if (!kind) {
        return std::unexpected(dialogs::message(words::kExportKinds));
    }
    const chart::Sheet sheet = chart::sheetOf(picture, settings);
    const auto written = files::writeWhole(path, [&](QIODevice& device) {
        return render::writeSheetTo(sheet, device, *kind, kExportDotsPerInch, underlay);
    });
    if (!written) {
        return refused(written.error());
    }
    return {};
}

std::unique_ptr<QMimeData> sheetMimeData(const chart::Picture& picture,
                                         const chart::Settings& settings,
                                         const render::Underlay& underlay) {
    const chart::Sheet sheet = chart::sheetOf(picture, settings);
    auto data = std::make_unique<QMimeData>();
    data->setImageData(render::sheetImage(sheet, kCopyDotsPerInch, underlay));
    QBuffer svg;
    svg.open(QIODevice::WriteOnly);
    if (render::writeSheetTo(sheet, svg, render::ImageKind::Svg, kCopyDotsPerInch, underlay)) {
        data->setData(QStringLiteral("image/svg+xml"), svg.data());
    }
    return data;
}

QString withFilterExtension(const QString& path, const QString& filter) {
    if (path.isEmpty() || !QFileInfo(path).suffix().isEmpty()) {
        return path;
    }
    static const QRegularExpression pattern(QStringLiteral(R"(\*\.(\w+))"));
    const QRegularExpressionMatch match = pattern.match(filter);
    return match.hasMatch() ? path + u'.' + match.captured(1) : path;
}

}  // namespace app
