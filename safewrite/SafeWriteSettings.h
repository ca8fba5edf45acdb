#pragma once
// The two safe-write settings of the Setting menu, kept in "mysetup.ini"
// (section "SafeWrite"); both on unless stored off.

struct SafeWriteSettings {
    bool backup = true; // back up the radio before writing
    bool verify = true; // read back and compare after writing
    bool any() const { return backup || verify; }
};

SafeWriteSettings LoadSafeWriteSettings();
// Writes both switches; false on a write error.
bool StoreSafeWriteSettings(const SafeWriteSettings& settings);
// Writes one switch alone (a menu item toggled), keeping the other as the file
// has it; false on a write error.
enum class SafeWriteSwitch { Backup, Verify };
bool StoreSafeWriteSetting(SafeWriteSwitch which, bool on);
