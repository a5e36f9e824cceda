#pragma once
// A failure of a card agent, pad or terminal before anything reached it: the approval ends
// in its error box ("승인실패") with the number and text.
#include <QString>
#include <stdexcept>

namespace orv::van {

class VanError : public std::runtime_error {
 public:
  VanError(int number, const QString &description)
      : std::runtime_error(description.toStdString()), Number(number), Description(description) {}
  int Number;
  QString Description;
};

}  // namespace orv::van
