#pragma once
// Keys every form shares, whatever its own handlers do.
class QApplication;
class QString;

namespace orv::formkeys {

// Enter and keypad Enter press the focused push button of any window, once the form's key
// preview and the button itself have passed the key on. Enter in a text box never presses a
// default button of our forms (the toolkit's own boxes keep their default buttons).
void InstallButtonEnter(QApplication &app);

// Loads the toolkit's Korean catalogue, so its standard buttons read 확인, 취소, 예, 아니요.
// Returns false when the catalogue is missing (the program then runs with English buttons).
bool LoadKoreanCatalogue(QApplication &app, QString *missingPath = nullptr);
// The catalogue file the last load looked for and did not find; empty after a good load.
QString MissingKoreanCatalogue();

}  // namespace orv::formkeys
