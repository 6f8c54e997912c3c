#pragma once

// User-visible texts and addresses of the desktop subsystem.
namespace DesktopStrings {

// File type association errors; %1 is a path or name, %2 the system's reason.
inline constexpr const char* CannotCreateFolder = "Unable to create the folder \"%1\"";
inline constexpr const char* CannotRead = "Unable to read \"%1\": %2";
inline constexpr const char* CannotWrite = "Unable to write \"%1\": %2";
inline constexpr const char* NotATextFile = "\"%1\" is not a valid text file; it was left unchanged";
inline constexpr const char* UnknownExtension = "No file type is known for the extension \"%1\"";
inline constexpr const char* BadProgramPath = "The program path \"%1\" cannot be used in a desktop entry";
inline constexpr const char* BadTypeName = "The file type name \"%1\" cannot be used for a desktop entry";

// Why a local file was not opened.
inline constexpr const char* NotARegularFile = "not a regular file";

// Tray icon.
inline constexpr const char* NoSystemTray = "taerin: this desktop has no system tray; the tray icon stays off";

// Options window.
inline constexpr const char* OptionsCaption = "Options Window";
inline constexpr const char* PageSetup = "&Setup";
inline constexpr const char* PageVisualization = "&Visualization";
inline constexpr const char* PageSkins = "S&kins";
inline constexpr const char* PageCredits = "&Credits";
inline constexpr const char* AssociateButton = "&Associate File Types (MP* && M3U)";
inline constexpr const char* FileTypeName = "Tessaly Aerin";
inline constexpr const char* AssociatedExtensions[] = {"MP3", "MP1", "MP2", "M3U"};
inline constexpr const char* LabelCoding = "Coding:";
inline constexpr const char* LabelIcons = "Icons:";
// The application icon in the icon theme.
inline constexpr const char* IconName = "taerin";
inline constexpr const char* LabelTesting = "Testing:";
inline constexpr const char* LabelSites = "Our Sites:";
inline constexpr const char* LabelYou = "YOU :-)";
inline constexpr const char* MailHint = "Send an E-mail";
inline constexpr const char* MailSubject = "Tessaly Aerin";
inline constexpr const char* LinkHint = "Surf to our site...";
inline constexpr const char* ProductSiteCaption = "Aerin's Site";
inline constexpr const char* MakerSiteCaption = "Korvane Software's Site";

// Project pages and team addresses of the credits page (no person's own address).
inline constexpr const char* ProductSiteUrl = "https://taerin.example.org/";
inline constexpr const char* MakerSiteUrl = "https://korvane.example.org/";
struct Credit {
    const char* caption;
    const char* address;
};
inline constexpr Credit CodingCredit = {"Taerin developers", "developers@taerin.example.org"};
inline constexpr Credit EngineCredit = {"Zelkor developers", "engine@taerin.example.org"};
inline constexpr Credit IconsCredit = {"Taerin artwork", "artwork@taerin.example.org"};

} // namespace DesktopStrings
