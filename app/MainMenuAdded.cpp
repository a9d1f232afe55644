#include <QAction>
#include <QMenu>

#include "MainForm.h"
#include "OwnerDrawList.h"

// Every item the menu gained beyond its original ones goes into this group below "Закрити",
// so that the original items keep their places; a new item is added here, after the others.
void TFrmMain::CreateAddedItems() {
    N5 = PopupMenu1->addSeparator();
    Drivehistory1 =
        PopupMenu1->addAction(tr("Історія диска..."), this, &TFrmMain::Drivehistory1Click);
    Warnings1 = PopupMenu1->addAction(tr("Попереджати, коли диск заповнюється"), this,
                                      &TFrmMain::Warnings1Click);
    Warnings1->setCheckable(true);
    Warnings1->setChecked(true);
}

// Runs each time the menu opens: like the information item, the history is a drive's.
void TFrmMain::UpdateAddedItems() {
    Drivehistory1->setVisible(ListBox1->ItemIndex() >= kFirstDriveRow);
}
