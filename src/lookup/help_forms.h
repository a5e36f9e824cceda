#pragma once
// The lookup dialogs by name, made for an opener (their constructors run the load).
#include <QDialog>
#include <memory>

namespace orv::lookup {

std::unique_ptr<QDialog> MakeGdsHelpFrm();
std::unique_ptr<QDialog> MakeTrsHelpFrm();
std::unique_ptr<QDialog> MakeCstHelpFrm();
std::unique_ptr<QDialog> MakeExtHelpFrm();
std::unique_ptr<QDialog> MakeDirectGoFrm();

// Shows the on-screen keyboard modally; giKeyPadOk and gsKeyPadText hold its result.
void ShowKeyPad();

}  // namespace orv::lookup
