#pragma once

class QAccessibleInterface;
class QObject;
class QString;

// Makes screen readers see the owner-drawn list as a list whose children are its rows. Safe to
// call more than once; the factory is installed the first time.
void InstallDriveListAccessibility();

// The factory itself, for QAccessible::installFactory: answers for TOwnerDrawList and gives
// the program's windows the window role.
QAccessibleInterface* DriveListAccessibleFactory(const QString& className, QObject* object);
