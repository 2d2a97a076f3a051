// What a screen reader learns of the Options menu's check items: each is a check box that says
// whether it is checked, and tells when that changes.
#pragma once

namespace dyeland {

// Once, before the first checkable menu item is built.
void InstallMenuAccessible();

}  // namespace dyeland
