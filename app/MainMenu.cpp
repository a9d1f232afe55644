#include <QActionGroup>
#include <QMenu>

#include "MainForm.h"

using namespace DiskUtils;

void TFrmMain::CreatePopupMenu() {
    PopupMenu1 = new QMenu(this);
    connect(PopupMenu1, &QMenu::aboutToShow, this, &TFrmMain::PopupMenu1Popup);
    Driveinfos1 =
        PopupMenu1->addAction(tr("Інформація про діск..."), this, &TFrmMain::Driveinfos1Click);
    N1 = PopupMenu1->addSeparator();
    Rescan1 = PopupMenu1->addAction(tr("Обновити"), this, &TFrmMain::Rescan1Click);
    N3 = PopupMenu1->addSeparator();

    Settings1 = PopupMenu1->addMenu(tr("Опції"));
    Divisionnorme1 = Settings1->addMenu(tr("Обчислити ємкість, як:"));
    auto* divisors = new QActionGroup(this);
    N10241 =
        AddRadio(Divisionnorme1, divisors, QStringLiteral("1024"), false, &TFrmMain::N10241Click);
    N10001 =
        AddRadio(Divisionnorme1, divisors, QStringLiteral("1000"), true, &TFrmMain::N10001Click);

    Showedunit1 = Settings1->addMenu(tr("Обєднати в:"));
    // Translations name the two word sets by the words themselves, which stay as they are.
    auto* words = new QActionGroup(this);
    Bytes1 = AddRadio(Showedunit1, words, tr("Байти"), false, &TFrmMain::Bytes1Click);
    Octets1 = AddRadio(Showedunit1, words, tr("Октети"), true, &TFrmMain::Octets1Click);

    Sizeformat1 = Settings1->addMenu(tr("Формат відображення"));
    auto* units = new QActionGroup(this);
    Kilo1 = AddRadio(Sizeformat1, units, tr("Кілобайти"), false, &TFrmMain::Kilo1Click);
    Mega1 = AddRadio(Sizeformat1, units, tr("Мегабайти"), false, &TFrmMain::Mega1Click);
    Giga1 = AddRadio(Sizeformat1, units, tr("Гігабайти"), true, &TFrmMain::Giga1Click);
    Tera1 = AddRadio(Sizeformat1, units, tr("Терабайти"), false, &TFrmMain::Tera1Click);
    Kilo1->setData(suKilo);
    Mega1->setData(suMega);
    Giga1->setData(suGiga);
    Tera1->setData(suTera);

    N4 = Settings1->addSeparator();
    Alphablending1 = Settings1->addAction(tr("Прозрачність"), this, &TFrmMain::Alphablending1Click);
    Alphablending1->setCheckable(true);
    Stayontop1 = Settings1->addAction(tr("Залишити вершину"), this, &TFrmMain::Stayontop1Click);
    Stayontop1->setCheckable(true);

    N2 = PopupMenu1->addSeparator();
    Exit1 = PopupMenu1->addAction(tr("Закрити"), this, &TFrmMain::Exit1Click);
    CreateAddedItems();
    DisableWhatTheCompositorDecides();
}

// Qt checks a radio item before `triggered` reaches the handler, as the menu's items expect.
QAction* TFrmMain::AddRadio(QMenu* menu, QActionGroup* group, const QString& caption, bool checked,
                            void (TFrmMain::*handler)()) {
    QAction* action = menu->addAction(caption, this, handler);
    action->setCheckable(true);
    action->setChecked(checked);
    group->addAction(action);
    return action;
}

void TFrmMain::N10241Click() {
    SetUnitDivisors(UnitDivisors1024);
    Rescan1Click();
    SaveChoices();
}

void TFrmMain::N10001Click() {
    SetUnitDivisors(UnitDivisors1000);
    Rescan1Click();
    SaveChoices();
}

void TFrmMain::Bytes1Click() {
    SetUnitNames(ByteUnitNames);
    Rescan1Click();
    SaveChoices();
}

void TFrmMain::Octets1Click() {
    SetUnitNames(OctetUnitNames);
    Rescan1Click();
    SaveChoices();
}

void TFrmMain::Kilo1Click() {
    DisplayUnit = suKilo;
    Rescan1Click();
    SaveChoices();
}

void TFrmMain::Mega1Click() {
    DisplayUnit = suMega;
    Rescan1Click();
    SaveChoices();
}

void TFrmMain::Giga1Click() {
    DisplayUnit = suGiga;
    Rescan1Click();
    SaveChoices();
}

void TFrmMain::Tera1Click() {
    DisplayUnit = suTera;
    Rescan1Click();
    SaveChoices();
}
