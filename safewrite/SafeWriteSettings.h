#pragma once
// The two safe-write settings of the Setting menu, kept in "mysetup.ini"
// (section "SafeWrite"); both on unless stored off.

struct SafeWriteSettings {
    bool backup = true; // back up the radio before writing
    bool verify = true; // read back and compare after writing
    bool any() const { return backup || verify; }
};

SafeWriteSettings LoadSafeWriteSettings();
// False on a write error.
bool StoreSafeWriteSettings(const SafeWriteSettings& settings);
