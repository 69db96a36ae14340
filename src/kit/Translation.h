#pragma once
// Qt's own texts (the standard buttons of message boxes, the preview window, file dialogs) in
// Korean like the rest of the program.
class QTranslator;

// Installs Qt's Korean translation on the application, which owns it. nullptr when the
// translation is not installed on this machine (Qt's English texts stay).
QTranslator* installQtKoreanTexts();
