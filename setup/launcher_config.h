// The launcher's configuration: the INI file on the CD, the process-wide
// buffers that hold its values, and the runner that hands a configured
// command to the shell.
#pragma once

// Section "CDRun" of this file, on the drive of the current directory.
constexpr const char* kLauncherIniFile = "\\Internet\\Vantorin\\cdrun.ini";
constexpr const char* kLauncherSection = "CDRun";
constexpr unsigned kValueSize = 1024;

// Zero at start, alive for the whole run; each holds at most 1023 characters.
extern char bitmapFileName[kValueSize];  // "Bitmap": the splash picture file
extern char companyName[kValueSize];     // "CompanyName"
extern char windowCaption[kValueSize];   // "<companyName> Installation", cut to fit
extern char commandValue[kValueSize];    // the value of the command key looked up last

// Reads "Bitmap" and "CompanyName" and composes the caption.
void ReadLauncherSettings();

// Reads `key` ("Install", "MoreInfo" or "About") afresh and opens its value
// with the shell. Returns 1 when the shell accepted it; otherwise shows the
// shell's refusal in an error box and returns 0 once the user has closed it.
int RunConfiguredCommand(const char* key);
