#pragma once

#include <QObject>
#include <optional>
#include <vector>

#include "chart/marked_work.h"
#include "chart/picture.h"
#include "data/zones.h"
#include "render/data_underlay.h"
#include "render/picture_painter.h"

namespace app {

class Document;

// What the window shows of a document: the picture of its work (the chart, the zones, every
// entry's marks, drawn by data::drawWork and kept up to date entry by entry), the data sets'
// underlay, and one preview entry over them that belongs to no step. It follows the document's
// signals and is its picture's only writer; the dialogs only hand entries to the document.
//
// An appended entry is drawn onto the end of the picture and an undone one cut off it again, so
// that a step costs what its entry costs, however long the work; only a step that replaces the
// whole work (or its zones) draws the picture anew.
class Scene : public QObject {
    Q_OBJECT
  public:
    explicit Scene(const Document& document, QObject* parent = nullptr);

    // The work and over it the preview, as the view shows it.
    [[nodiscard]] const chart::Picture& picture() const { return picture_; }
    // The work alone, without the preview: what is printed, exported and copied.
    [[nodiscard]] const chart::Picture& workPicture() const;
    // The shown data sets, painted under the picture on the screen, on paper and in every file.
    [[nodiscard]] render::Underlay underlay() const { return underlay_.underlay(); }

    // An entry drawn over the work, as its dialog would draw it, without being part of the
    // document (a design shown before it is drawn as a step); another one replaces it, none
    // takes it away. A change of the settings takes it away too: it was placed at the old
    // pressure.
    void setPreview(std::optional<chart::Entry> entry);
    [[nodiscard]] const std::optional<chart::Entry>& preview() const { return preview_; }

  signals:
    // Items were appended to the picture (the view paints just them).
    void grown();
    // Items were cut off the end of the picture, back to where they began.
    void cut();
    // The picture was drawn anew.
    void redrawn();
    // The data underlay changed.
    void underlayChanged();

  private:
    void entryAdded(const chart::Entry& entry);
    void lastEntryRemoved();
    void dataChanged();
    void redraw();
    // Cuts the preview off the picture; true when it had drawn anything.
    bool cutPreview();
    // Draws the preview, if any, at the end of the picture; true when it drew anything.
    bool drawPreview();

    const Document& document_;
    chart::Picture picture_;
    std::vector<chart::PictureMark> entryStarts_;   // where each entry's marks begin
    chart::PictureMark workEnd_{0, 1, {0.0, 0.0}};  // where the work ends, the preview begins
    std::vector<data::Zone> shownZones_;
    render::DataUnderlay underlay_;
    std::optional<chart::Entry> preview_;
    mutable chart::Picture workCopy_;  // workPicture() while a preview is shown
};

}  // namespace app
