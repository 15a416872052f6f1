// The simulated host's own resources, as the host program carries them: the
// icons that controls of a plug-in find along the class library's resource
// search when their module does not have them (the placeholder button's 109
// and the label button's 502). The simhost program exports them as its
// resource table; test programs that play the host put them in theirs.
#pragma once

#include "platform/resources.h"

namespace simhost {

inline constexpr UINT kPlaceholderButtonIcon = 109;
inline constexpr UINT kLabelButtonIcon = 502;

const platform::ResourceTable& HostResources();

}  // namespace simhost
