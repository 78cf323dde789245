#pragma once

#include <QImage>

namespace artwork {

// The Standard skin: a light, cool background with two faint punched tapes.
QImage standardSkin(int width, int height);
// The Steampunk skin: dark walnut planks with brass gears, a copper pipe and rivets.
QImage steampunkSkin(int width, int height);

} // namespace artwork
