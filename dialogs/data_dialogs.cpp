#include "dialogs/data_dialogs.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QShortcut>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>
#include <optional>
#include <vector>

#include "chart/number_text.h"
#include "data/text_lines.h"
#include "dialogs/controls.h"
#include "dialogs/messages.h"
#include "dialogs/number_input.h"

namespace dialogs {
namespace {

// The head of a file kept for the preview and the header: its first 21 lines, at most 64 KiB,
// cut at a line end (a line feed byte is never part of a Shift-JIS or UTF-8 character).
constexpr std::size_t kHeadBytes = 64 * 1024;
constexpr int kHeadLines = 21;
constexpr int kPreviewLines = 6;

std::string headOf(std::string bytes) {
    std::size_t end = 0;
    int lines = 0;
    while (lines < kHeadLines) {
        const std::size_t next = bytes.find('\n', end);
        if (next == std::string::npos || next >= kHeadBytes) {
            break;
        }
        end = next + 1;
        ++lines;
    }
    if (lines < kHeadLines && bytes.size() <= kHeadBytes) {
        end = bytes.size();  // the whole file, its last line perhaps without an end
    } else if (end == 0) {
        end = std::min(bytes.size(), kHeadBytes);  // one long line
    }
    bytes.resize(end);
    return bytes;
}

// The text of `bytes` in `encoding`, UTF-8; nullopt where the bytes are not in it.
std::optional<std::string> decodedText(std::string_view bytes, data::Encoding encoding) {
    if (encoding == data::Encoding::ShiftJis) {
        return data::detail::shiftJisToUtf8(bytes);
    }
    constexpr std::string_view bom = "\xEF\xBB\xBF";
    if (bytes.starts_with(bom)) {
        bytes.remove_prefix(bom.size());
    }
    return data::detail::validUtf8(bytes) ? std::optional<std::string>(bytes) : std::nullopt;
}

// The lines of a UTF-8 text (LF, CR LF or CR ends), at most kHeadLines.
std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    data::detail::forEachLine(text, [&](std::size_t, std::string_view line) {
        lines.emplace_back(line);
        return lines.size() < static_cast<std::size_t>(kHeadLines);
    });
    return lines;
}

// A label whose mnemonic moves the focus to `buddy`.
QLabel* makeBuddyLabel(QWidget* parent, const char* name, const QString& text, QWidget* buddy) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setBuddy(buddy);
    return label;
}

QPushButton* makePlainButton(QWidget* parent, const char* name, const QString& caption) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    return button;
}

// Alt+`key` presses `button` (or toggles a check box): for captions that carry no mnemonic.
void giveAltKey(QWidget* dialog, QAbstractButton* button, Qt::Key key) {
    const QKeySequence sequence(Qt::ALT | key);
    auto* shortcut = new QShortcut(sequence, dialog);
    QObject::connect(shortcut, &QShortcut::activated, button, [button] {
        if (button->isEnabled() && button->isVisible()) {
            button->click();
        }
    });
    button->setAccessibleDescription(sequence.toString(QKeySequence::NativeText));
}

void startDialog(QDialog* dialog, const char* name, const QString& title) {
    dialog->setObjectName(QString::fromLatin1(name));
    dialog->setFont(QFont(QStringLiteral("ＭＳ Ｐゴシック"), 9));  // the forms' font
    dialog->setWindowTitle(title);
    dialog->setModal(false);
}

QString numberShown(double v) {
    return QString::fromStdString(chart::generalText(v));
}

}  // namespace

// ---- ColumnDialog ----------------------------------------------------------------------------

ColumnDialog::ColumnDialog(Messenger& messages, QWidget* parent)
    : QDialog(parent), messages_(messages) {
    startDialog(this, "FormColumns", QStringLiteral("列の指定"));
    auto* grid = new QGridLayout(this);

    ComboEncoding = makeNamed<QComboBox>(this, QStringLiteral("ComboEncoding"));
    ComboEncoding->addItems({QStringLiteral("UTF-8"), QStringLiteral("Shift-JIS")});
    grid->addWidget(
        makeBuddyLabel(this, "LabelEncoding", QStringLiteral("文字コード(&E)"), ComboEncoding), 0,
        0);
    grid->addWidget(ComboEncoding, 0, 1);

    TextPreview = new QPlainTextEdit(this);
    TextPreview->setObjectName(QStringLiteral("TextPreview"));
    TextPreview->setReadOnly(true);
    TextPreview->setLineWrapMode(QPlainTextEdit::NoWrap);
    TextPreview->setTabChangesFocus(true);
    grid->addWidget(TextPreview, 1, 0, 1, 2);

    SpinHeader = new QSpinBox(this);
    SpinHeader->setObjectName(QStringLiteral("SpinHeader"));
    SpinHeader->setRange(0, kHeadLines - 1);
    SpinHeader->setSpecialValueText(QStringLiteral("なし"));
    grid->addWidget(
        makeBuddyLabel(this, "LabelHeader", QStringLiteral("見出しの行(&H)"), SpinHeader), 2, 0);
    grid->addWidget(SpinHeader, 2, 1);

    const std::array<const char16_t*, kRoles> roleNames{
        u"温度 t(&T)",   u"相対湿度 φ(&P)", u"絶対湿度 x(&X)", u"湿球温度 t′(&W)",
        u"露点温度(&D)", u"日時(&M)",       u"日付(&A)",       u"時刻(&I)",
    };
    for (std::size_t k = 0; k < kRoles; ++k) {
        ComboRoles[k] = makeNamed<QComboBox>(this, QStringLiteral("ComboRole%1").arg(k + 1));
        const int row = 3 + static_cast<int>(k);
        auto* label = makeBuddyLabel(this, "", QString::fromUtf16(roleNames[k]), ComboRoles[k]);
        label->setObjectName(QStringLiteral("LabelRole%1").arg(k + 1));
        grid->addWidget(label, row, 0);
        grid->addWidget(ComboRoles[k], row, 1);
    }
    ComboDateOrder = makeNamed<QComboBox>(this, QStringLiteral("ComboDateOrder"));
    ComboDateOrder->addItems({QStringLiteral("自動"), QStringLiteral("年月日"),
                              QStringLiteral("月日年"), QStringLiteral("日月年")});
    grid->addWidget(
        makeBuddyLabel(this, "LabelDateOrder", QStringLiteral("日付の順(&Y)"), ComboDateOrder),
        3 + kRoles, 0);
    grid->addWidget(ComboDateOrder, 3 + kRoles, 1);
    CheckGrams = makeNamed<QCheckBox>(this, "CheckGrams", QStringLiteral("絶対湿度は g/kg(DA)"));
    CheckFahrenheit = makeNamed<QCheckBox>(this, "CheckFahrenheit", QStringLiteral("温度は °F"));
    grid->addWidget(CheckGrams, 4 + kRoles, 0, 1, 2);
    grid->addWidget(CheckFahrenheit, 5 + kRoles, 0, 1, 2);
    giveAltKey(this, CheckGrams, Qt::Key_G);
    giveAltKey(this, CheckFahrenheit, Qt::Key_F);

    auto* buttons = new QHBoxLayout;
    CommandOK = makePlainButton(this, "CommandOK", QStringLiteral("OK"));
    CommandOK->setDefault(true);
    CommandCancel = makePlainButton(this, "CommandCancel", QStringLiteral("キャンセル"));
    buttons->addStretch();
    buttons->addWidget(CommandOK);
    buttons->addWidget(CommandCancel);
    grid->addLayout(buttons, 6 + kRoles, 0, 1, 2);
    giveAltKey(this, CommandOK, Qt::Key_O);
    giveAltKey(this, CommandCancel, Qt::Key_C);

    connect(ComboEncoding, &QComboBox::currentIndexChanged, this, [this] { showPreview(); });
    connect(SpinHeader, &QSpinBox::valueChanged, this, [this] { showPreview(); });
    connect(CommandOK, &QPushButton::clicked, this, &ColumnDialog::accept);
    connect(CommandCancel, &QPushButton::clicked, this, &ColumnDialog::reject);
}

void ColumnDialog::showFor(std::string bytes, std::optional<data::Encoding> chosen) {
    data::CsvChoice preset;
    preset.encoding = chosen.value_or(decodedText(headOf(bytes), data::Encoding::Utf8)
                                          ? data::Encoding::Utf8
                                          : data::Encoding::ShiftJis);
    showChoice(std::move(bytes), preset);
}

void ColumnDialog::showChoice(std::string bytes, const data::CsvChoice& preset) {
    bytes_ = headOf(std::move(bytes));
    preset_ = preset.columns;
    for (QComboBox* combo : ComboRoles) {
        combo->clear();
    }
    CheckGrams->setChecked(preset.columns.xInGrams);
    CheckFahrenheit->setChecked(preset.columns.fahrenheit);
    ComboDateOrder->setCurrentIndex(preset.dateOrder ? static_cast<int>(*preset.dateOrder) + 1 : 0);
    {
        const QSignalBlocker quietHeader(SpinHeader);
        const QSignalBlocker quietEncoding(ComboEncoding);
        SpinHeader->setValue(static_cast<int>(
            std::min(preset.columns.headerLine, static_cast<std::size_t>(kHeadLines - 1))));
        ComboEncoding->setCurrentIndex(preset.encoding == data::Encoding::ShiftJis ? 1 : 0);
    }
    showPreview();
    const data::ColumnChoice& c = preset.columns;
    const std::array<std::optional<std::size_t>, kRoles> columns{c.t,   c.phi,      c.x,    c.tw,
                                                                 c.dew, c.dateTime, c.date, c.time};
    for (std::size_t k = 0; k < kRoles; ++k) {
        const int item = columns[k] ? static_cast<int>(*columns[k]) + 1 : 0;
        ComboRoles[k]->setCurrentIndex(item < ComboRoles[k]->count() ? item : 0);
    }
    show();
    raise();
    activateWindow();
}

data::Encoding ColumnDialog::encoding() const {
    return ComboEncoding->currentIndex() == 1 ? data::Encoding::ShiftJis : data::Encoding::Utf8;
}

void ColumnDialog::showPreview() {
    const std::optional<std::string> text = decodedText(bytes_, encoding());
    decodes_ = text.has_value();
    std::vector<std::string> lines = text ? linesOf(*text) : std::vector<std::string>{};
    if (!text) {
        TextPreview->setPlainText(QStringLiteral("（この文字コードでは読めません）"));
    } else {
        QStringList shown;
        for (std::size_t k = 0; k < lines.size() && k < static_cast<std::size_t>(kPreviewLines);
             ++k) {
            shown << QString::fromStdString(lines[k]);
        }
        TextPreview->setPlainText(shown.join(QLatin1Char('\n')));
    }

    // The header's fields, or "列 n" for each field of the first line of a file without one.
    const int header = SpinHeader->value();
    const std::size_t source = header > 0 ? static_cast<std::size_t>(header - 1) : 0;
    QStringList items{QStringLiteral("なし")};
    if (source < lines.size()) {
        const std::string_view line = lines[source];
        std::vector<std::string_view> fields;
        // As the reader splits it: at tabs, else at semicolons, else at commas.
        const char delimiter = line.find('\t') != std::string_view::npos  ? '\t'
                               : line.find(';') != std::string_view::npos ? ';'
                                                                          : ',';
        data::detail::splitFields(line, delimiter, fields);
        for (std::size_t k = 0; k < fields.size(); ++k) {
            const QString name =
                QString::fromUtf8(fields[k].data(), static_cast<qsizetype>(fields[k].size()));
            items << (header > 0 && !name.isEmpty() ? name : QStringLiteral("列 %1").arg(k + 1));
        }
    }
    for (QComboBox* combo : ComboRoles) {
        const int kept = combo->currentIndex();
        combo->clear();
        combo->addItems(items);
        combo->setCurrentIndex(kept > 0 && kept < items.size() ? kept : 0);
    }
}

void ColumnDialog::accept() {
    if (!decodes_) {
        messages_.show(
            QStringLiteral("この文字コードでは読めません。文字コードを選び直してください。"));
        ComboEncoding->setFocus();
        return;
    }
    std::array<std::optional<std::size_t>, kRoles> columns{};
    int stateRoles = 0;
    std::vector<int> taken;
    for (std::size_t k = 0; k < kRoles; ++k) {
        const int index = ComboRoles[k]->currentIndex();
        if (index <= 0) {
            continue;
        }
        if (std::ranges::find(taken, index) != taken.end()) {
            messages_.show(QStringLiteral("列「%1」が二つの項目に選ばれています。")
                               .arg(ComboRoles[k]->currentText()));
            ComboRoles[k]->setFocus();
            return;
        }
        taken.push_back(index);
        columns[k] = static_cast<std::size_t>(index - 1);
        stateRoles += k < 5 ? 1 : 0;
    }
    if (stateRoles < 2) {
        messages_.show(QStringLiteral(
            "温度・相対湿度・絶対湿度・湿球温度・露点温度のうち二つの列を選んでください。"));
        ComboRoles[0]->setFocus();
        return;
    }
    data::ColumnChoice choice;
    choice.t = columns[0];
    choice.phi = columns[1];
    choice.x = columns[2];
    choice.tw = columns[3];
    choice.dew = columns[4];
    choice.dateTime = columns[5];
    choice.date = columns[6];
    choice.time = columns[7];
    choice.xInGrams = CheckGrams->isChecked();
    choice.fahrenheit = CheckFahrenheit->isChecked();
    choice.headerLine = static_cast<std::size_t>(SpinHeader->value());
    if (choice.headerLine == preset_.headerLine) {
        choice.pressure = preset_.pressure;
        choice.pressureKPa = preset_.pressureKPa;
    }
    const int order = ComboDateOrder->currentIndex();
    const data::CsvChoice made{
        .encoding = encoding(),
        .columns = choice,
        .dateOrder =
            order > 0 ? std::optional(static_cast<data::DateOrder>(order - 1)) : std::nullopt};
    hide();
    emit chosen(made);
}

// ---- ZoneDialog ------------------------------------------------------------------------------

ZoneDialog::ZoneDialog(Messenger& messages, QWidget* parent)
    : QDialog(parent), messages_(messages) {
    startDialog(this, "FormZone", QStringLiteral("ゾーン"));
    auto* layout = new QVBoxLayout(this);

    auto* top = new QGridLayout;
    OptionRange = makeNamed<QRadioButton>(this, "OptionRange", QStringLiteral("範囲(&R)"));
    OptionPmv = makeNamed<QRadioButton>(this, "OptionPmv", QStringLiteral("PMV(&V)"));
    auto* kinds = new QButtonGroup(this);
    kinds->addButton(OptionRange);
    kinds->addButton(OptionPmv);
    top->addWidget(OptionRange, 0, 0);
    top->addWidget(OptionPmv, 0, 1);
    TextName = makeNamed<QLineEdit>(this, "TextName");
    top->addWidget(makeBuddyLabel(this, "LabelName", QStringLiteral("名前(&N)"), TextName), 1, 0);
    top->addWidget(TextName, 1, 1, 1, 3);
    layout->addLayout(top);

    auto* range = new QGroupBox(QStringLiteral("範囲"), this);
    range->setObjectName(QStringLiteral("FrameRange"));
    auto* rangeGrid = new QGridLayout(range);
    TextTLow = makeNamed<QLineEdit>(range, "TextTLow");
    TextTHigh = makeNamed<QLineEdit>(range, "TextTHigh");
    rangeGrid->addWidget(makeBuddyLabel(range, "LabelT", QStringLiteral("温度(&T)"), TextTLow), 0,
                         0);
    rangeGrid->addWidget(TextTLow, 0, 1);
    rangeGrid->addWidget(new QLabel(QStringLiteral("〜"), range), 0, 2);
    rangeGrid->addWidget(TextTHigh, 0, 3);
    rangeGrid->addWidget(new QLabel(QStringLiteral("℃"), range), 0, 4);
    OptionPhi = makeNamed<QRadioButton>(range, "OptionPhi", QStringLiteral("相対湿度(&P)"));
    OptionX = makeNamed<QRadioButton>(range, "OptionX", QStringLiteral("絶対湿度(&X)"));
    auto* humidities = new QButtonGroup(this);
    humidities->addButton(OptionPhi);
    humidities->addButton(OptionX);
    rangeGrid->addWidget(OptionPhi, 1, 0);
    rangeGrid->addWidget(OptionX, 1, 1);
    TextHumidityLow = makeNamed<QLineEdit>(range, "TextHumidityLow");
    TextHumidityHigh = makeNamed<QLineEdit>(range, "TextHumidityHigh");
    auto* humidityUnit = new QLabel(range);
    humidityUnit->setObjectName(QStringLiteral("LabelHumidityUnit"));
    rangeGrid->addWidget(
        makeBuddyLabel(range, "LabelHumidity", QStringLiteral("湿度(&U)"), TextHumidityLow), 2, 0);
    rangeGrid->addWidget(TextHumidityLow, 2, 1);
    rangeGrid->addWidget(new QLabel(QStringLiteral("〜"), range), 2, 2);
    rangeGrid->addWidget(TextHumidityHigh, 2, 3);
    rangeGrid->addWidget(humidityUnit, 2, 4);
    CommandHygiene = makePlainButton(range, "CommandHygiene", QStringLiteral("建築物衛生法の基準"));
    CommandAshrae = makePlainButton(range, "CommandAshrae", QStringLiteral("ASHRAE 55 (夏)"));
    rangeGrid->addWidget(CommandHygiene, 3, 0, 1, 2);
    rangeGrid->addWidget(CommandAshrae, 3, 2, 1, 3);
    giveAltKey(this, CommandHygiene, Qt::Key_B);
    giveAltKey(this, CommandAshrae, Qt::Key_A);
    layout->addWidget(range);

    auto* pmv = new QGroupBox(QStringLiteral("PMV"), this);
    pmv->setObjectName(QStringLiteral("FramePmv"));
    auto* pmvGrid = new QGridLayout(pmv);
    struct Row {
        QLineEdit** box;
        const char* name;
        const char16_t* label;
        const char16_t* unit;
    };
    const std::array<Row, 5> rows{{
        {&TextMet, "TextMet", u"代謝量(&M)", u"met"},
        {&TextClo, "TextClo", u"着衣量(&C)", u"clo"},
        {&TextVel, "TextVel", u"風速(&S)", u"m/s"},
        {&TextTr, "TextTr", u"平均放射温度(&E)", u"℃（空欄: 気温）"},
        {&TextLimit, "TextLimit", u"限度 |PMV|(&L)", u""},
    }};
    for (std::size_t k = 0; k < rows.size(); ++k) {
        *rows[k].box = makeNamed<QLineEdit>(pmv, rows[k].name);
        const int row = static_cast<int>(k);
        pmvGrid->addWidget(makeBuddyLabel(pmv, "", QString::fromUtf16(rows[k].label), *rows[k].box),
                           row, 0);
        pmvGrid->addWidget(*rows[k].box, row, 1);
        pmvGrid->addWidget(new QLabel(QString::fromUtf16(rows[k].unit), pmv), row, 2);
    }
    layout->addWidget(pmv);

    auto* buttons = new QHBoxLayout;
    CommandOK = makePlainButton(this, "CommandOK", QStringLiteral("OK"));
    CommandOK->setDefault(true);
    CommandCancel = makePlainButton(this, "CommandCancel", QStringLiteral("キャンセル"));
    buttons->addStretch();
    buttons->addWidget(CommandOK);
    buttons->addWidget(CommandCancel);
    layout->addLayout(buttons);
    giveAltKey(this, CommandOK, Qt::Key_O);
    giveAltKey(this, CommandCancel, Qt::Key_Q);

    connect(OptionRange, &QRadioButton::toggled, this, [this] { showKind(); });
    connect(OptionPhi, &QRadioButton::toggled, this, [humidityUnit, this] {
        humidityUnit->setText(OptionPhi->isChecked() ? QStringLiteral("％")
                                                     : QStringLiteral("g/kg(DA)"));
    });
    connect(CommandHygiene, &QPushButton::clicked, this,
            [this] { fillRange(data::buildingHygieneZone()); });
    connect(CommandAshrae, &QPushButton::clicked, this,
            [this] { fillRange(data::ashraeSummerZone()); });
    connect(CommandOK, &QPushButton::clicked, this, &ZoneDialog::accept);
    connect(CommandCancel, &QPushButton::clicked, this, &ZoneDialog::reject);

    OptionPhi->setChecked(true);
    fill(data::buildingHygieneZone());
}

void ZoneDialog::showFor(const data::Zone& zone) {
    fill(zone);
    show();
    raise();
    activateWindow();
}

void ZoneDialog::fillRange(const data::RangeZone& zone) {
    TextName->setText(QString::fromStdString(zone.name));
    TextTLow->setText(numberShown(zone.tLow));
    TextTHigh->setText(numberShown(zone.tHigh));
    (zone.absolute ? OptionX : OptionPhi)->setChecked(true);
    const double scale = zone.absolute ? 1000.0 : 1.0;  // x shown in g/kg(DA)
    TextHumidityLow->setText(numberShown(zone.humidityLow * scale));
    TextHumidityHigh->setText(numberShown(zone.humidityHigh * scale));
}

void ZoneDialog::fill(const data::Zone& zone) {
    if (const auto* range = std::get_if<data::RangeZone>(&zone)) {
        OptionRange->setChecked(true);
        fillRange(*range);
        TextMet->setText(QStringLiteral("1"));
        TextClo->setText(QStringLiteral("0.5"));
        TextVel->setText(QStringLiteral("0.1"));
        TextTr->clear();
        TextLimit->setText(QStringLiteral("0.5"));
    } else {
        const auto& pmv = std::get<data::PmvZone>(zone);
        OptionPmv->setChecked(true);
        fillRange(data::buildingHygieneZone());
        TextName->setText(QString::fromStdString(pmv.name));
        TextMet->setText(numberShown(pmv.met));
        TextClo->setText(numberShown(pmv.clo));
        TextVel->setText(numberShown(pmv.vel));
        TextTr->setText(pmv.tr ? numberShown(*pmv.tr) : QString());
        TextLimit->setText(numberShown(pmv.limit));
    }
    showKind();
}

void ZoneDialog::showKind() {
    const bool isRange = OptionRange->isChecked();
    findChild<QGroupBox*>(QStringLiteral("FrameRange"))->setEnabled(isRange);
    findChild<QGroupBox*>(QStringLiteral("FramePmv"))->setEnabled(!isRange);
}

void ZoneDialog::accept() {
    // The numbers of the boxes in order (an `optional` box may stay empty); nullopt after a
    // message naming the first box without one.
    struct Box {
        QLineEdit* box;
        const char16_t* name;
        bool optional;
    };
    const auto numbers =
        [this](
            std::initializer_list<Box> boxes) -> std::optional<std::vector<std::optional<double>>> {
        std::vector<std::optional<double>> values;
        for (const Box& b : boxes) {
            const QString text = b.box->text().trimmed();
            const std::optional<double> value = readNumber(text);
            if (value || (text.isEmpty() && b.optional)) {
                values.push_back(value);
                continue;
            }
            const QString name = QString::fromUtf16(b.name);
            messages_.show(text.isEmpty()
                               ? QStringLiteral("「%1」に数値を入れてください。").arg(name)
                               : QStringLiteral("「%1」が数値ではありません。").arg(name));
            b.box->setFocus();
            return std::nullopt;
        }
        return values;
    };
    // The first failed check's message; true when every check passed.
    struct Check {
        bool ok;
        const char16_t* text;
        QLineEdit* box;
    };
    const auto passes = [this](std::initializer_list<Check> checks) {
        for (const Check& check : checks) {
            if (!check.ok) {
                messages_.show(QString::fromUtf16(check.text));
                check.box->setFocus();
                return false;
            }
        }
        return true;
    };

    const std::string name = TextName->text().trimmed().toStdString();
    if (name.empty()) {
        messages_.show(QStringLiteral("ゾーンの名前を入れてください。"));
        TextName->setFocus();
        return;
    }
    data::Zone zone;
    if (OptionRange->isChecked()) {
        const bool absolute = OptionX->isChecked();
        const auto v = numbers({{TextTLow, u"温度の下限", false},
                                {TextTHigh, u"温度の上限", false},
                                {TextHumidityLow, u"湿度の下限", false},
                                {TextHumidityHigh, u"湿度の上限", false}});
        if (!v) {
            return;
        }
        const double t0 = *(*v)[0];
        const double t1 = *(*v)[1];
        const double h0 = *(*v)[2];
        const double h1 = *(*v)[3];
        if (!passes({
                {t0 <= t1, u"温度の下限が上限より高くなっています。", TextTLow},
                {t0 >= -50.0 && t1 <= 100.0, u"温度は −50 〜 100 ℃ の間で入れてください。",
                 TextTLow},
                {h0 <= h1, u"湿度の下限が上限より高くなっています。", TextHumidityLow},
                {h0 >= 0.0 && (absolute || h1 <= 100.0),
                 absolute ? u"絶対湿度は 0 以上で入れてください。"
                          : u"相対湿度は 0 〜 100 ％ の間で入れてください。",
                 TextHumidityLow},
            })) {
            return;
        }
        const double scale = absolute ? 0.001 : 1.0;
        zone = data::RangeZone{name, t0, t1, absolute, h0 * scale, h1 * scale};
    } else {
        const auto v = numbers({{TextMet, u"代謝量", false},
                                {TextClo, u"着衣量", false},
                                {TextVel, u"風速", false},
                                {TextTr, u"平均放射温度", true},
                                {TextLimit, u"限度 |PMV|", false}});
        if (!v) {
            return;
        }
        const double met = *(*v)[0];
        const double clo = *(*v)[1];
        const double vel = *(*v)[2];
        const std::optional<double> tr = (*v)[3];
        const double limit = *(*v)[4];
        if (!passes({
                {met > 0.0, u"代謝量は 0 より大きな値を入れてください。", TextMet},
                {clo >= 0.0, u"着衣量は 0 以上で入れてください。", TextClo},
                {vel >= 0.0, u"風速は 0 以上で入れてください。", TextVel},
                {!tr || (*tr >= -50.0 && *tr <= 100.0),
                 u"平均放射温度は −50 〜 100 ℃ の間で入れてください。", TextTr},
                {limit > 0.0 && limit <= 3.0,
                 u"限度 |PMV| は 0 より大きく 3 以下で入れてください。", TextLimit},
            })) {
            return;
        }
        zone = data::PmvZone{name, met, clo, vel, tr, limit};
    }
    if (!data::zoneValid(zone)) {  // what the checks above may have let through
        messages_.show(QStringLiteral("ゾーンの値が正しくありません。"));
        return;
    }
    hide();
    emit accepted(zone);
}

}  // namespace dialogs
