#pragma once
// The terminal settings as the start finds them: the values of a first run, or the stored
// set with the ports a working checkout needs.

// The values a first run starts from (every other setting empty or 0), in memory only.
void SetFirstRunPosSettings();

// Loads the stored set; a first run (no "Update" stored) takes the first-run values and
// writes them. An empty printer port reads as "LPT1", scanner port 0 as 1.
void LoadStartPosSettings();
