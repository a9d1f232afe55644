#include <QAction>
#include <QMenu>
#include <cstdio>

#include "MainForm.h"
#include "OwnerDrawList.h"

// Every item the menu gained beyond its original ones goes into this group below "Закрити",
// so that the original items keep their places; a new item is added here, after the others.
void TFrmMain::CreateAddedItems() {
    N5 = PopupMenu1->addSeparator();
    Drivehistory1 =
        PopupMenu1->addAction(tr("Історія диска..."), this, &TFrmMain::Drivehistory1Click);
    Whattakesspace1 =
        PopupMenu1->addAction(tr("Що займає місце..."), this, &TFrmMain::Whattakesspace1Click);
    Warnings1 = PopupMenu1->addAction(tr("Попереджати, коли диск заповнюється"), this,
                                      &TFrmMain::Warnings1Click);
    Warnings1->setCheckable(true);
    Warnings1->setChecked(true);
    Startatlogin1 =
        PopupMenu1->addAction(tr("Запускати під час входу"), this, &TFrmMain::Startatlogin1Click);
    Startatlogin1->setCheckable(true);
}

// Runs each time the menu opens: like the information item, the history is a drive's; the
// log-in entry may have been removed or switched off by hand.
void TFrmMain::UpdateAddedItems() {
    Drivehistory1->setVisible(ListBox1->ItemIndex() >= kFirstDriveRow);
    Whattakesspace1->setVisible(ListBox1->ItemIndex() >= kFirstDriveRow);
    Startatlogin1->setChecked(AutostartEnabled(session_.autostart));
}

void TFrmMain::Startatlogin1Click() {
    if (const auto problem = SetAutostartEnabled(session_.autostart, Startatlogin1->isChecked()))
        std::fprintf(stderr, "vollmark: %s\n", qPrintable(*problem));
    Startatlogin1->setChecked(AutostartEnabled(session_.autostart));
}
