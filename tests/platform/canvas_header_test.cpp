// canvas.h alone, so that a painter type slipping back into it fails the build:
// the elements must draw through Canvas only.
#include "platform/canvas.h"

#include <type_traits>

class QBrush;
class QFont;
class QFontMetrics;
class QPen;

namespace {

template <class T, class = void>
constexpr bool kComplete = false;
template <class T>
constexpr bool kComplete<T, std::void_t<decltype(sizeof(T))>> = true;

static_assert(!kComplete<QPainter>);
static_assert(!kComplete<QPen>);
static_assert(!kComplete<QBrush>);
static_assert(!kComplete<QFont>);
static_assert(!kComplete<QFontMetrics>);

} // namespace
