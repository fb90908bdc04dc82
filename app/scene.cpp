#include "app/scene.h"

#include <utility>

#include "app/document.h"
#include "data/work_drawing.h"

namespace app {

Scene::Scene(const Document& document, QObject* parent) : QObject(parent), document_(document) {
    connect(&document, &Document::entryAdded, this, &Scene::entryAdded);
    connect(&document, &Document::lastEntryRemoved, this, &Scene::lastEntryRemoved);
    connect(&document, &Document::stateReplaced, this, &Scene::redraw);
    connect(&document, &Document::dataChanged, this, &Scene::dataChanged);
    // The document emits the new settings before the state drawn at them.
    // The data's points are placed anew at the new pressure.
    connect(&document, &Document::settingsChanged, this, [this](const chart::Settings& settings) {
        preview_.reset();
        if (underlay_.follow(document_.data(), settings.atmosphere.ratio)) {
            emit underlayChanged();
        }
    });
    (void)underlay_.follow(document.data(), document.settings().atmosphere.ratio);
    redraw();
}

const chart::Picture& Scene::workPicture() const {
    if (picture_.items().size() == workEnd_.items) {
        return picture_;
    }
    workCopy_ = picture_;
    workCopy_.truncate(workEnd_);
    return workCopy_;
}

void Scene::setPreview(std::optional<chart::Entry> entry) {
    if (entry == preview_) {
        return;
    }
    if (cutPreview()) {
        emit cut();
    }
    preview_ = std::move(entry);
    if (drawPreview()) {
        emit grown();
    }
}

void Scene::entryAdded(const chart::Entry& entry) {
    if (cutPreview()) {
        emit cut();
    }
    entryStarts_.push_back(picture_.mark());
    chart::drawEntry(picture_, entry);
    workEnd_ = picture_.mark();
    (void)drawPreview();
    emit grown();
}

void Scene::lastEntryRemoved() {
    if (entryStarts_.size() != document_.work().entries.size() + 1) {
        redraw();  // not the picture of the entries before: never cut blindly
        return;
    }
    picture_.truncate(entryStarts_.back());
    workEnd_ = entryStarts_.back();
    entryStarts_.pop_back();
    emit cut();
    if (drawPreview()) {
        emit grown();
    }
}

void Scene::dataChanged() {
    if (underlay_.follow(document_.data(), document_.settings().atmosphere.ratio)) {
        emit underlayChanged();
    }
    if (!(document_.data().zones == shownZones_)) {
        redraw();
    }
}

void Scene::redraw() {
    shownZones_ = document_.data().zones;
    entryStarts_ = data::drawWork(picture_, document_.work(), shownZones_, document_.settings());
    workEnd_ = picture_.mark();
    (void)drawPreview();
    emit redrawn();
}

bool Scene::cutPreview() {
    const bool drawn = picture_.items().size() != workEnd_.items;
    picture_.truncate(workEnd_);
    return drawn;
}

bool Scene::drawPreview() {
    if (!preview_) {
        return false;
    }
    const std::size_t before = picture_.items().size();
    chart::drawEntry(picture_, *preview_);
    return picture_.items().size() != before;
}

}  // namespace app
