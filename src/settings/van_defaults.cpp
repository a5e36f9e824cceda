#include "settings/van_defaults.h"

namespace orv::settings {

namespace {

// The agents run on this PC.
constexpr char kLocal[] = "127.0.0.1";

const VanDefaults kDefaults[] = {
    {1, "", kLocal, "80", kLocal},
    {3, "", "", "", ""},
    {4, nullptr, kLocal, "2003", kLocal},
    {5, "", kLocal, "13855", kLocal},
    {8, nullptr, nullptr, nullptr, kLocal},
    {9, "", "", "", kLocal},
    {10, "", kLocal, "1515", kLocal},
};

}  // namespace

const VanDefaults *VanDefaultsOf(int16_t van) {
  for (const VanDefaults &d : kDefaults)
    if (d.van == van) return &d;
  return nullptr;
}

QString VanServerAddress(int16_t van) {
  const VanDefaults *d = VanDefaultsOf(van);
  return d ? QString::fromLatin1(d->server) : QString();
}

}  // namespace orv::settings
