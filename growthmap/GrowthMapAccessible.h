#pragma once

class QAccessibleInterface;
class QObject;
class QString;

// Makes screen readers see the growth map as a list whose children are its tiles, each named
// by its folder and described by its size and change. Safe to call more than once; the factory
// is installed the first time.
void InstallGrowthMapAccessibility();

QAccessibleInterface* GrowthMapAccessibleFactory(const QString& className, QObject* object);
