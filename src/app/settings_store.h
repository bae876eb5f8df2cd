// Reading the stored settings and scores at start-up, and the few values written back.
#pragma once

// Reads every stored option, both button tables, the ranking and the log level into the
// shell's state. Without a settings key the built-in defaults stay, silently.
void ReadStartupSettings();
// Writes "bWindowed" after the F1 switch; silently skipped without a key.
void StoreWindowedSetting();
