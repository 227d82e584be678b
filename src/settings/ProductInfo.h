// The product's fixed addresses and texts shown by the window and the About dialog.
#pragma once

namespace quorvex::settings {

/// The vendor's home page, passed to the desktop's opener unchanged.
inline constexpr const char* kHomePageAddress = "https://quorvex.example.org";
/// Where users write for help; the About dialog's link opens a mail to it.
inline constexpr const char* kSupportMailAddress = "support@quorvex.example.org";
/// The version label of the About dialog.
inline constexpr const char* kAboutVersionText = "Version:29.11.15";
/// The HTML user manual shipped beside the program.
inline constexpr const char* kHelpFileName = "help.html";

}  // namespace quorvex::settings
