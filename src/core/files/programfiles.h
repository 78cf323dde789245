#pragma once

// The files of the program folder, by the names the program has always used ("\" and
// the name; ProgramFolder::file makes the path). Product, tests and tools name them
// from here.
namespace vornal::ProgramFiles {

constexpr const char* kConfiguration = "\\VornalUsb.cfg";
constexpr const char* kMessage = "\\Message.txt";
constexpr const char* kKlklAnswer = "\\klkl.txt";
constexpr const char* kKlklScratch = "\\klkl-Temp.txt";
constexpr const char* kSendFile = "\\SendFile.txt";
constexpr const char* kClipboard = "\\clipboard.txt";
constexpr const char* kPresetPhrases = "\\VornalPresetText.txt";
constexpr const char* kHeadlineSets = "\\Headlines.txt";
constexpr const char* kHeadline = "\\Headline1.txt";
constexpr const char* kBroadcastHeader = "\\RSHeader.txt";
constexpr const char* kBroadcastReceivers = "\\RSend.txt";
constexpr const char* kPhonebook = "\\phonebook.txt";
constexpr const char* kPhonebookCsv = "\\phonebook.csv";
constexpr const char* kPhonebookBackup = "\\phonebook-backup.txt";
constexpr const char* kLocalNumbers = "\\LocalTelex.txt";
constexpr const char* kHelpText = "\\New.rtf";
constexpr const char* kManual = "\\VornalManual.html";
constexpr const char* kSkinStandard = "\\Skin-Std.jpg";
constexpr const char* kSkinSteampunk = "\\Skin-Pnk.jpg";
constexpr const char* kSoundCipher = "\\soundcipher.wav";
constexpr const char* kSoundPlain = "\\soundplain.wav";
constexpr const char* kSoundRun = "\\soundrun.wav";

} // namespace vornal::ProgramFiles
