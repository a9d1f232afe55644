#pragma once

class QWidget;

// What differs between systems in drawing the list for a script, with nothing on the screen.
// Before the application object: the platform that draws without a display where one is needed.
void ChooseHeadlessPlatform();
// Keeps a form that is shown for its layout off the screen.
void KeepOffScreen(QWidget& form);
// Makes standard output take the picture's bytes as they are.
void SetStdoutBinary();
