// The host interface header compiled on its own as C++20 under -pedantic
// -Werror: it needs nothing included before it, and its records stay plain C
// data that the host may read and copy in place.
#include <type_traits>

#include "frame/gauge_host.h"

template <class... Records>
constexpr bool plain_c_data = ((std::is_standard_layout_v<Records> && std::is_trivially_copyable_v<Records>)&&...);

static_assert(plain_c_data<MODULE_VAR, PANELS, NONLINEARITY, ELEMENT_HEADER, ELEMENT_STATIC_IMAGE, ELEMENT_NEEDLE,
                           ELEMENT_STRING, ELEMENT_SLIDER, ELEMENT_ICON, ELEMENT_MOVING_IMAGE, ELEMENT_SPRITE,
                           MOUSERECT, GAUGEHDR, MODULE_LINKAGE, IMPORT_TABLE>);
// Every element record starts with its header, so the host may read any
// element through an ELEMENT_HEADER pointer.
static_assert(offsetof(ELEMENT_NEEDLE, header) == 0 && offsetof(ELEMENT_STRING, header) == 0 &&
              offsetof(ELEMENT_SLIDER, header) == 0 && offsetof(ELEMENT_ICON, header) == 0 &&
              offsetof(ELEMENT_MOVING_IMAGE, header) == 0 && offsetof(ELEMENT_SPRITE, header) == 0);
