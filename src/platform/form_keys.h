#pragma once
// Keys every form shares, whatever its own handlers do.
#include <functional>

class QApplication;
class QString;
class QWidget;

namespace orv::formkeys {

// Enter and keypad Enter press the focused push button of any window, once the form's key
// preview and the button itself have passed the key on. Enter in a text box never presses a
// default button of our forms (the toolkit's own boxes keep their default buttons).
void InstallButtonEnter(QApplication &app);

// A form's key preview: every key meant for one of the form's controls (or the form itself)
// reaches the form's handlers first. A handler that sets the code to 0 consumes the key;
// otherwise the control gets it as it was. A key-press handler that changes the character
// code hands the control the new character instead. Keys for another window (a message box
// the form opened) are not previewed. The preview lives as long as the form.
struct KeyPreview {
  std::function<void(int &keyCode, int shift)> keyDown;  // virtual-key codes (platform/keys.h)
  std::function<void(int &keyAscii)> keyPress;           // the typed character's code
  std::function<void(int &keyCode, int shift)> keyUp;
};
void InstallKeyPreview(QWidget *form, KeyPreview handlers);

// Loads the toolkit's Korean catalogue, so its standard buttons read 확인, 취소, 예, 아니요.
// Returns false when the catalogue is missing (the program then runs with English buttons).
bool LoadKoreanCatalogue(QApplication &app, QString *missingPath = nullptr);
// The catalogue file the last load looked for and did not find; empty after a good load.
QString MissingKoreanCatalogue();

}  // namespace orv::formkeys
