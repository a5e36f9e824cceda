#pragma once
#include <QDialog>
#include <QShowEvent>
#include <QTimer>

namespace orv::lookup {

// A lookup dialog's start (stale guard, auto-take, first search) runs once, queued from
// the first show: the offscreen platform may never send a window activation.
class LookupDialog : public QDialog {
 public:
  using QDialog::QDialog;

 protected:
  virtual void onActivated() = 0;
  void showEvent(QShowEvent *event) override {
    QDialog::showEvent(event);
    if (activated_) return;
    activated_ = true;
    QTimer::singleShot(0, this, [this] { onActivated(); });
  }

 private:
  bool activated_ = false;
};

}  // namespace orv::lookup
