#include <QAction>
#include <QGuiApplication>
#include <QScreen>
#include <QSettings>
#include <cstdio>

#include "MainForm.h"

using namespace DiskUtils;

namespace {

void ReportSettingsProblem(const QString& problem) {
    std::fprintf(stderr, "vollmark: %s\n", qPrintable(problem));
}

std::vector<ScreenArea> ScreenAreas() {
    std::vector<ScreenArea> areas;
    for (const QScreen* screen : QGuiApplication::screens())
        areas.push_back({screen->name(), screen->geometry()});
    return areas;
}

}  // namespace

// A damaged file is reported once and then treated as absent; it is replaced by a good one
// at the first choice the user makes.
void TFrmMain::RestoreChoices() {
    if (!settings_) return;
    const LoadedChoices loaded = LoadChoices(*settings_);
    if (loaded.problem) ReportSettingsProblem(*loaded.problem);
    stored_ = loaded.choices;
    ApplyChoices(loaded.choices);
}

// The effects of the menu's handlers without their rescans: the first rescan of FormCreate
// follows.
void TFrmMain::ApplyChoices(const SavedChoices& choices) {
    (choices.divisors1024 ? N10241 : N10001)->setChecked(true);
    SetUnitDivisors(choices.divisors1024 ? UnitDivisors1024 : UnitDivisors1000);
    (choices.byteWords ? Bytes1 : Octets1)->setChecked(true);
    SetUnitNames(choices.byteWords ? ByteUnitNames : OctetUnitNames);
    if (choices.displayUnit) {
        DisplayUnit = *choices.displayUnit;
        for (QAction* unit : {Kilo1, Mega1, Giga1, Tera1})
            unit->setChecked(unit->data().toInt() == DisplayUnit);
    }
    const bool windowSystemObeys = !session_.waylandWindow;
    Stayontop1->setChecked(choices.onTop && windowSystemObeys);
    if (Stayontop1->isChecked()) SetStaysOnTop(true);
    // Last: its handler saves, and by now the menu shows just what was loaded.
    Alphablending1->setChecked(choices.transparent && windowSystemObeys);
    Alphablending1Click();
}

SavedChoices TFrmMain::CurrentChoices() const {
    SavedChoices choices;
    choices.divisors1024 = N10241->isChecked();
    choices.byteWords = Bytes1->isChecked();
    // Until the user picks a unit the rows are in mega units under giga's check mark; only a
    // unit the rows really show is worth keeping.
    for (const QAction* unit : {Kilo1, Mega1, Giga1, Tera1})
        if (unit->isChecked() && unit->data().toInt() == DisplayUnit)
            choices.displayUnit = DisplayUnit;
    choices.transparent = Alphablending1->isChecked();
    choices.onTop = Stayontop1->isChecked();
    if (shownBefore_ && screen() != nullptr)
        choices.placement =
            SavedPlacement{screen()->name(), geometry().topLeft() - screen()->geometry().topLeft()};
    else if (stored_)
        choices.placement = stored_->placement;
    KeepWhatTheCompositorDecides(choices);
    return choices;
}

void TFrmMain::SaveChoices() {
    if (!settings_) return;
    const SavedChoices choices = CurrentChoices();
    if (stored_ && *stored_ == choices) return;
    if (StoreChoices(*settings_, choices)) {
        stored_ = choices;
        return;
    }
    if (storeFailed_) return;
    storeFailed_ = true;
    ReportSettingsProblem(
        QStringLiteral("cannot write the settings to %1; the old file stays as it was")
            .arg(settings_->fileName()));
}

// The client area is placed, not the frame: before the first showing the window manager has
// not said how thick its frame is, and a frame position would land off by the title bar.
void TFrmMain::PlaceAtFirstShow() {
    if (session_.waylandWindow) return;
    if (stored_ && stored_->placement) {
        const auto position = RestoredPosition(*stored_->placement, ScreenAreas(), size());
        if (position) {
            setGeometry(QRect(*position, size()));
            return;
        }
    }
    CentreOnScreen();
}
