#include <QAction>
#include <QMenu>

#include "MainForm.h"

// The items stay in their places, so the menu reads the same in every session, but they can
// neither be checked nor do anything; the tooltip says why.
void TFrmMain::DisableWhatTheCompositorDecides() {
    if (!session_.waylandWindow) return;
    Alphablending1->setEnabled(false);
    Alphablending1->setToolTip(tr("Композитор Wayland не дає вікну змінити прозорість"));
    Stayontop1->setEnabled(false);
    Stayontop1->setToolTip(tr("Композитор Wayland не дає вікну залишатися поверх інших"));
    // Only here: elsewhere a menu would show every item's own caption as its tooltip.
    Settings1->setToolTipsVisible(true);
}

// A Wayland session neither knows the window's place nor may change the two choices, so it
// keeps what an X session saved rather than overwriting it with the blanks it sees.
void TFrmMain::KeepWhatTheCompositorDecides(SavedChoices& choices) const {
    if (!session_.waylandWindow) return;
    const SavedChoices kept = stored_.value_or(SavedChoices{});
    choices.transparent = kept.transparent;
    choices.onTop = kept.onTop;
    choices.placement = kept.placement;
}
