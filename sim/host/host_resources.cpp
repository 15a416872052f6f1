#include "sim/host/host_resources.h"

namespace simhost {
namespace {

const platform::IconResource kIcons[] = {
    {kPlaceholderButtonIcon, 16, 16},
    {kLabelButtonIcon, 16, 16},
};

}  // namespace

const platform::ResourceTable& HostResources() {
    static const platform::ResourceTable resources = {.icons = kIcons};
    return resources;
}

}  // namespace simhost
