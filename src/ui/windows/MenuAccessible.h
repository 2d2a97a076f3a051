// What a screen reader learns of the menu bar's menus: each menu by its title and every item in
// its place, a menu reached from the menu bar named before its first item, the Options menu's check
// items as check boxes that say whether they are checked and tell when that changes, and no other
// control heard taking the focus while a menu is open.
#pragma once

namespace dyeland {

// Before the menus are built.
void InstallMenuAccessible();

}  // namespace dyeland
