#pragma once

#include <optional>

#include <QByteArray>
#include <QList>
#include <QRect>

namespace vorlane {

// The place of a window's client area as it is remembered: "x y width height" in screen
// coordinates, as text a user can read in the remembered file.
QByteArray rememberedPlaceBytes(const QRect& place);
// None unless the bytes are four such numbers with a plausible size.
std::optional<QRect> placeFromBytes(const QByteArray& bytes);

// Whether a remembered place may be taken again: its centre lies on one of the screens there are
// now. A screen since unplugged would leave the window out of sight.
bool liesOnAScreen(const QRect& place, const QList<QRect>& screens);

}  // namespace vorlane
