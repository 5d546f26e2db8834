#include "ui/common/RememberedPlace.h"

#include <algorithm>
#include <array>

namespace vorlane {
namespace {

// Larger than any screen, smaller than what arithmetic on a rectangle could overflow with.
constexpr int kFarthest = 1 << 16;

}  // namespace

QByteArray rememberedPlaceBytes(const QRect& place) {
  return QByteArray::number(place.x()) + ' ' + QByteArray::number(place.y()) + ' ' +
         QByteArray::number(place.width()) + ' ' + QByteArray::number(place.height());
}

std::optional<QRect> placeFromBytes(const QByteArray& bytes) {
  const QList<QByteArray> words = bytes.split(' ');
  if (words.size() != 4) {
    return std::nullopt;
  }
  std::array<int, 4> numbers{};
  for (qsizetype i = 0; i < words.size(); ++i) {
    bool isNumber = false;
    numbers[i] = words[i].toInt(&isNumber);
    if (!isNumber || numbers[i] < -kFarthest || numbers[i] > kFarthest) {
      return std::nullopt;
    }
  }
  const auto [x, y, width, height] = numbers;
  if (width <= 0 || height <= 0) {
    return std::nullopt;
  }
  return QRect(x, y, width, height);
}

bool liesOnAScreen(const QRect& place, const QList<QRect>& screens) {
  return std::any_of(screens.cbegin(), screens.cend(),
                     [&](const QRect& screen) { return screen.contains(place.center()); });
}

}  // namespace vorlane
