#pragma once

#include <QLatin1StringView>
#include <QString>

// The object names of the program's windows and controls, by the names they have
// always carried: assistive technology, the style sheets, the scripted runs and the
// tests find the controls by them. Product, tests and tools name them from here.
namespace vornal::ObjectNames {

// The broadcast commands.
inline constexpr QLatin1StringView kBroadcastActions{"broadcastActions"};
inline constexpr QLatin1StringView kLblSendNumbers{"lblSendNumbers"};

// The port settings window.
inline constexpr QLatin1StringView kCboDataBits{"cboDataBits"};
inline constexpr QLatin1StringView kCboDevice{"cboDevice"};
inline constexpr QLatin1StringView kCboParity{"cboParity"};
inline constexpr QLatin1StringView kCboPort{"cboPort"};
inline constexpr QLatin1StringView kCboSpeed{"cboSpeed"};
inline constexpr QLatin1StringView kCboStopBits{"cboStopBits"};
inline constexpr QLatin1StringView kFrmProperties{"frmProperties"};
inline constexpr QLatin1StringView kLblDevice{"lblDevice"};
inline constexpr QLatin1StringView kLblOK{"lblOK"};
inline constexpr QLatin1StringView kLblSettings{"lblSettings"};
inline constexpr QLatin1StringView kLstDevices{"lstDevices"};
inline constexpr QLatin1StringView kOptFlow{"optFlow"};

// The clock panel.
inline constexpr QLatin1StringView kClockDial{"clockDial"};
inline constexpr QLatin1StringView kClockPanel{"clockPanel"};
inline constexpr QLatin1StringView kLblDate{"lblDate"};
inline constexpr QLatin1StringView kLblTempo{"lblTempo"};
inline constexpr QLatin1StringView kTimer3{"Timer3"};

// The punch panel.
inline constexpr QLatin1StringView kCmdEndPunch{"cmdEndPunch"};
inline constexpr QLatin1StringView kCmdPunch{"cmdPunch"};
inline constexpr QLatin1StringView kFrmPunch{"frmPunch"};
inline constexpr QLatin1StringView kLblPreview{"lblPreview"};
inline constexpr QLatin1StringView kLblRSendToPunch{"lblRSendToPunch"};
inline constexpr QLatin1StringView kTapeScroll{"tapeScroll"};
inline constexpr QLatin1StringView kTxtInput{"txtInput"};

// The clipboard preview.
inline constexpr QLatin1StringView kCmdExitPreview{"cmdExitPreview"};
inline constexpr QLatin1StringView kCmdSendPreview{"cmdSendPreview"};
inline constexpr QLatin1StringView kLabel7{"Label7"};
inline constexpr QLatin1StringView kTabPreview{"tabPreview"};

// The find bar of the log.
inline constexpr QLatin1StringView kCmdFindClose{"cmdFindClose"};
inline constexpr QLatin1StringView kCmdFindNext{"cmdFindNext"};
inline constexpr QLatin1StringView kCmdFindPrevious{"cmdFindPrevious"};
inline constexpr QLatin1StringView kFrameFind{"frameFind"};
inline constexpr QLatin1StringView kLblFind{"lblFind"};
inline constexpr QLatin1StringView kTxtFind{"txtFind"};

// The header window ("Set RS List").
inline constexpr QLatin1StringView kCmdHeader{"cmdHeader"};
inline constexpr QLatin1StringView kFrmHeader{"frmHeader"};
inline constexpr QLatin1StringView kLblExit{"lblExit"};
inline constexpr QLatin1StringView kLstRSend{"lstRSend"};
inline constexpr QLatin1StringView kLvwHeader{"lvwHeader"};

// The update window.
inline constexpr QLatin1StringView kCmdNewPhonebook{"cmdNewPhonebook"};
inline constexpr QLatin1StringView kCmdSave{"cmdSave"};
inline constexpr QLatin1StringView kFrmUpdate{"frmUpdate"};
inline constexpr QLatin1StringView kLblRetrieve{"lblRetrieve"};
inline constexpr QLatin1StringView kLblStatus{"lblStatus"};
inline constexpr QLatin1StringView kLstFav{"lstFav"};
inline constexpr QLatin1StringView kLvwStat{"lvwStat"};
inline constexpr QLatin1StringView kText1{"Text1"};
inline constexpr QLatin1StringView kText2{"Text2"};

// The sound switches and the sounds.
inline constexpr QLatin1StringView kCommand1{"Command1"};
inline constexpr QLatin1StringView kCommand2{"Command2"};
inline constexpr QLatin1StringView kCommand3{"Command3"};
inline constexpr QLatin1StringView kLblSoundOff{"lblSoundOff"};
inline constexpr QLatin1StringView kLblSoundOn{"lblSoundOn"};
inline constexpr QLatin1StringView kSoundControls{"soundControls"};
inline constexpr QLatin1StringView kSoundRow{"soundRow"};

// The directory update.
inline constexpr QLatin1StringView kDirectoryUpdate{"directoryUpdate"};
inline constexpr QLatin1StringView kLblUpdate{"lblUpdate"};

// The header bar.
inline constexpr QLatin1StringView kFrameClock{"frameClock"};
inline constexpr QLatin1StringView kHeader{"header"};
inline constexpr QLatin1StringView kLabel15{"Label15"};
inline constexpr QLatin1StringView kLblVersion{"lblVersion"};

// The headline editor.
inline constexpr QLatin1StringView kFrameHeadLine{"frameHeadLine"};
inline constexpr QLatin1StringView kLabel14{"Label14"};
inline constexpr QLatin1StringView kLblClsPreview{"lblClsPreview"};
inline constexpr QLatin1StringView kLblExitHeadlineEditor{"lblExitHeadlineEditor"};
inline constexpr QLatin1StringView kLblHeadlineEditor{"lblHeadlineEditor"};
inline constexpr QLatin1StringView kLblInfoHeadlines{"lblInfoHeadlines"};
inline constexpr QLatin1StringView kLblView{"lblView"};
inline constexpr QLatin1StringView kLstHeadlines{"lstHeadlines"};
inline constexpr QLatin1StringView kOption1{"Option1"};
inline constexpr QLatin1StringView kTxtHeadlines{"txtHeadlines"};

// The help window.
inline constexpr QLatin1StringView kFrameHelp{"FrameHelp"};
inline constexpr QLatin1StringView kFrmHelp{"frmHelp"};
inline constexpr QLatin1StringView kLblHelpContext{"lblHelpContext"};
inline constexpr QLatin1StringView kRichTextBox1{"RichTextBox1"};

// The call slot panels.
inline constexpr QLatin1StringView kFrameLocalCalls{"frameLocalCalls"};
inline constexpr QLatin1StringView kFrameNumbers{"frameNumbers"};
inline constexpr QLatin1StringView kLblCallNumbers{"lblCallNumbers"};
inline constexpr QLatin1StringView kLblExitLocalTeleprinters{"lblExitLocalTeleprinters"};
inline constexpr QLatin1StringView kLblExitNumbers{"lblExitNumbers"};
inline constexpr QLatin1StringView kLblLocalTelex{"lblLocalTelex"};

// The local numbers editor.
inline constexpr QLatin1StringView kFrameLocalTeleprinters{"frameLocalTeleprinters"};
inline constexpr QLatin1StringView kLblExitLocalNumbers{"lblExitLocalNumbers"};
inline constexpr QLatin1StringView kLblLocalHint{"lblLocalHint"};
inline constexpr QLatin1StringView kTxtLocalName{"txtLocalName"};
inline constexpr QLatin1StringView kTxtLocalNumber{"txtLocalNumber"};

// The phrases and the preset texts.
inline constexpr QLatin1StringView kFramePresets{"framePresets"};
inline constexpr QLatin1StringView kLblEditData{"lblEditData"};
inline constexpr QLatin1StringView kLblFox{"LblFox"};
inline constexpr QLatin1StringView kLblPresetText{"lblPresetText"};
inline constexpr QLatin1StringView kLblRY{"LblRY"};
inline constexpr QLatin1StringView kLblTimeStamp{"lblTimeStamp"};

// The cancel window.
inline constexpr QLatin1StringView kFrmCancelSend{"frmCancelSend"};
inline constexpr QLatin1StringView kLabel1{"Label1"};
inline constexpr QLatin1StringView kLblCancel{"lblCancel"};

// The receivers window.
inline constexpr QLatin1StringView kFrmCirculair{"frmCirculair"};
inline constexpr QLatin1StringView kLblRsHelp{"lblRsHelp"};

// The editor.
inline constexpr QLatin1StringView kFrmEdit{"frmEdit"};
inline constexpr QLatin1StringView kLblMax{"lblMax"};
inline constexpr QLatin1StringView kLblRuler{"lblRuler"};
inline constexpr QLatin1StringView kRulerStrip{"rulerStrip"};
inline constexpr QLatin1StringView kStatus{"Status"};
inline constexpr QLatin1StringView kStatus_col{"Status_col"};
inline constexpr QLatin1StringView kStatus_modified{"Status_modified"};
inline constexpr QLatin1StringView kStatus_row{"Status_row"};
inline constexpr QLatin1StringView kToolbar{"Toolbar"};
inline constexpr QLatin1StringView kTxtText{"txtText"};

// The phonebook and favourites window.
inline constexpr QLatin1StringView kFrmPresets{"frmPresets"};
inline constexpr QLatin1StringView kLblCalling{"lblCalling"};
inline constexpr QLatin1StringView kLblHelp{"lblHelp"};

// The main window.
inline constexpr QLatin1StringView kFrmTerminal{"frmTerminal"};

// The calls column and the side panels.
inline constexpr QLatin1StringView kGroupCalls{"groupCalls"};
inline constexpr QLatin1StringView kLblRSend_1{"lblRSend_1"};
inline constexpr QLatin1StringView kLblRsend_2{"lblRsend_2"};
inline constexpr QLatin1StringView kSidePanels{"sidePanels"};

// The interface group: the box's commands.
inline constexpr QLatin1StringView kGroupInterface{"groupInterface"};
inline constexpr QLatin1StringView kLblBell{"lblBell"};
inline constexpr QLatin1StringView kLblBu{"lblBu"};
inline constexpr QLatin1StringView kLblCall{"LblCall"};
inline constexpr QLatin1StringView kLblCancelMsg{"lblCancelMsg"};
inline constexpr QLatin1StringView kLblClear{"lblClear"};
inline constexpr QLatin1StringView kLblCloseConnection{"LblCloseConnection"};
inline constexpr QLatin1StringView kLblCR{"lblCR"};
inline constexpr QLatin1StringView kLblGoAhead{"lblGoAhead"};
inline constexpr QLatin1StringView kLblIAm{"lblIAm"};
inline constexpr QLatin1StringView kLblKonfig{"lblKonfig"};
inline constexpr QLatin1StringView kLblLineFeed{"lblLineFeed"};
inline constexpr QLatin1StringView kLblLoKal{"lblLoKal"};
inline constexpr QLatin1StringView kLblMsg{"LblMsg"};
inline constexpr QLatin1StringView kLblNexMessage{"lblNexMessage"};
inline constexpr QLatin1StringView kLblWerda{"lblWerda"};
inline constexpr QLatin1StringView kLblZi{"lblZi"};

// The port group.
inline constexpr QLatin1StringView kGroupPort{"groupPort"};
inline constexpr QLatin1StringView kImgPort1{"imgPort1"};
inline constexpr QLatin1StringView kLblCport1{"lblCport1"};
inline constexpr QLatin1StringView kLblElapsed{"lblElapsed"};
inline constexpr QLatin1StringView kLblOpen1{"lblOpen1"};
inline constexpr QLatin1StringView kLblProps{"lblProps"};
inline constexpr QLatin1StringView kLblStatus1{"lblStatus1"};

// The program group.
inline constexpr QLatin1StringView kGroupProgram{"groupProgram"};
inline constexpr QLatin1StringView kLblEditConfig{"lblEditConfig"};

// The send group.
inline constexpr QLatin1StringView kGroupSend{"groupSend"};
inline constexpr QLatin1StringView kLblEditKLKL{"lblEditKLKL"};
inline constexpr QLatin1StringView kLblKlKl{"lblKlKl"};
inline constexpr QLatin1StringView kLblPaste{"lblPaste"};
inline constexpr QLatin1StringView kLblPuncher{"lblPuncher"};
inline constexpr QLatin1StringView kLblSendHeader{"lblSendHeader"};
inline constexpr QLatin1StringView kLblSendHeadlines{"lblSendHeadlines"};
inline constexpr QLatin1StringView kLblSendMessage{"lblSendMessage"};
inline constexpr QLatin1StringView kLblSendText1{"lblSendText1"};

// Help and the homepage.
inline constexpr QLatin1StringView kHelp{"help"};
inline constexpr QLatin1StringView kLblAiuto{"lblAiuto"};
inline constexpr QLatin1StringView kLblHomepage{"lblHomepage"};

// The status bar.
inline constexpr QLatin1StringView kImgRX{"imgRX"};
inline constexpr QLatin1StringView kImgTX{"imgTX"};
inline constexpr QLatin1StringView kLampCD{"lampCD"};
inline constexpr QLatin1StringView kLampDSR{"lampDSR"};
inline constexpr QLatin1StringView kLblAction{"lblAction"};
inline constexpr QLatin1StringView kStatusArea{"statusArea"};

// The text colour schemes.
inline constexpr QLatin1StringView kLbGnBk{"lbGnBk"};
inline constexpr QLatin1StringView kLblBkWt{"lblBkWt"};
inline constexpr QLatin1StringView kLblBlWt{"lblBlWt"};
inline constexpr QLatin1StringView kLblRdBl{"lblRdBl"};
inline constexpr QLatin1StringView kLblYlBl{"lblYlBl"};

// The phonebook panels.
inline constexpr QLatin1StringView kLblEditLocal{"lblEditLocal"};
inline constexpr QLatin1StringView kLblLocalNumbersShow{"lblLocalNumbersShow"};
inline constexpr QLatin1StringView kLblPhonebookShow{"lblPhonebookShow"};
inline constexpr QLatin1StringView kLblRefresh{"lblRefresh"};

// The message editor feature.
inline constexpr QLatin1StringView kLblEditor{"lblEditor"};
inline constexpr QLatin1StringView kLblEditRund{"lblEditRund"};
inline constexpr QLatin1StringView kMessageEditor{"messageEditor"};

// The text colours, the font and the skins.
inline constexpr QLatin1StringView kLblFont{"lblFont"};
inline constexpr QLatin1StringView kLookControls{"lookControls"};
inline constexpr QLatin1StringView kLookRow{"lookRow"};
inline constexpr QLatin1StringView kPicVornalPapier_0{"picVornalPapier_0"};
inline constexpr QLatin1StringView kPicVornalPapier_1{"picVornalPapier_1"};

// The phonebook windows.
inline constexpr QLatin1StringView kLblHeader{"lblHeader"};
inline constexpr QLatin1StringView kLblPreset{"lblPreset"};
inline constexpr QLatin1StringView kLblRSendList{"lblRSendList"};
inline constexpr QLatin1StringView kPhonebookWindows{"phonebookWindows"};

// The phonebook list windows.
inline constexpr QLatin1StringView kLblHeading{"lblHeading"};
inline constexpr QLatin1StringView kLblSave{"lblSave"};
inline constexpr QLatin1StringView kTxtAction{"txtAction"};
inline constexpr QLatin1StringView kTxtChk{"txtChk"};
inline constexpr QLatin1StringView kTxtID{"txtID"};
inline constexpr QLatin1StringView kTxtName{"txtName"};
inline constexpr QLatin1StringView kTxtNumber{"txtNumber"};
inline constexpr QLatin1StringView kTxtRsGr1{"txtRsGr1"};
inline constexpr QLatin1StringView kTxtRsGr2{"txtRsGr2"};
inline constexpr QLatin1StringView kTxtRsGr3{"txtRsGr3"};
inline constexpr QLatin1StringView kTxtRsGr4{"txtRsGr4"};
inline constexpr QLatin1StringView kTxtRsGr5{"txtRsGr5"};

// The terminal area.
inline constexpr QLatin1StringView kLblMaxChar{"lblMaxChar"};
inline constexpr QLatin1StringView kPanelPlace{"panelPlace"};
inline constexpr QLatin1StringView kTerminalArea{"terminalArea"};
inline constexpr QLatin1StringView kTxtTerm{"txtTerm"};

// Saving the terminal text.
inline constexpr QLatin1StringView kLblSaveText{"lblSaveText"};

// The skins.
inline constexpr QLatin1StringView kLblStandard{"lblStandard"};
inline constexpr QLatin1StringView kLblSteam{"lblSteam"};

// The line bar.
inline constexpr QLatin1StringView kLine1{"Line1"};

// The clock's hands.
inline constexpr QLatin1StringView kLineHours1{"LineHours1"};
inline constexpr QLatin1StringView kLineMinutes1{"LineMinutes1"};
inline constexpr QLatin1StringView kLineSeconds2{"lineSeconds2"};

// The punch panel's tape.
inline constexpr QLatin1StringView kPicPunch{"picPunch"};

// The clock.
inline constexpr QLatin1StringView kShape1{"Shape1"};

// Element i of the control array `array`: "lblPresetText" and 3 make "lblPresetText_3".
inline QString element(QLatin1StringView array, int i) {
    return array + QLatin1Char('_') + QString::number(i);
}

// Every name above, for the checks that a name the program uses is one of them.
inline constexpr QLatin1StringView kAll[] = {
    kBroadcastActions,
    kCboDataBits,
    kCboDevice,
    kCboParity,
    kCboPort,
    kCboSpeed,
    kCboStopBits,
    kClockDial,
    kClockPanel,
    kCmdEndPunch,
    kCmdExitPreview,
    kCmdFindClose,
    kCmdFindNext,
    kCmdFindPrevious,
    kCmdHeader,
    kCmdNewPhonebook,
    kCmdPunch,
    kCmdSave,
    kCmdSendPreview,
    kCommand1,
    kCommand2,
    kCommand3,
    kDirectoryUpdate,
    kFrameClock,
    kFrameFind,
    kFrameHeadLine,
    kFrameHelp,
    kFrameLocalCalls,
    kFrameLocalTeleprinters,
    kFrameNumbers,
    kFramePresets,
    kFrmCancelSend,
    kFrmCirculair,
    kFrmEdit,
    kFrmHeader,
    kFrmHelp,
    kFrmPresets,
    kFrmProperties,
    kFrmPunch,
    kFrmTerminal,
    kFrmUpdate,
    kGroupCalls,
    kGroupInterface,
    kGroupPort,
    kGroupProgram,
    kGroupSend,
    kHeader,
    kHelp,
    kImgPort1,
    kImgRX,
    kImgTX,
    kLabel1,
    kLabel14,
    kLabel15,
    kLabel7,
    kLampCD,
    kLampDSR,
    kLbGnBk,
    kLblAction,
    kLblAiuto,
    kLblBell,
    kLblBkWt,
    kLblBlWt,
    kLblBu,
    kLblCall,
    kLblCalling,
    kLblCallNumbers,
    kLblCancel,
    kLblCancelMsg,
    kLblClear,
    kLblCloseConnection,
    kLblClsPreview,
    kLblCport1,
    kLblCR,
    kLblDate,
    kLblDevice,
    kLblEditConfig,
    kLblEditData,
    kLblEditKLKL,
    kLblEditLocal,
    kLblEditor,
    kLblEditRund,
    kLblElapsed,
    kLblExit,
    kLblExitHeadlineEditor,
    kLblExitLocalNumbers,
    kLblExitLocalTeleprinters,
    kLblExitNumbers,
    kLblFind,
    kLblFont,
    kLblFox,
    kLblGoAhead,
    kLblHeader,
    kLblHeading,
    kLblHeadlineEditor,
    kLblHelp,
    kLblHelpContext,
    kLblHomepage,
    kLblIAm,
    kLblInfoHeadlines,
    kLblKlKl,
    kLblKonfig,
    kLblLineFeed,
    kLblLocalHint,
    kLblLocalNumbersShow,
    kLblLocalTelex,
    kLblLoKal,
    kLblMax,
    kLblMaxChar,
    kLblMsg,
    kLblNexMessage,
    kLblOK,
    kLblOpen1,
    kLblPaste,
    kLblPhonebookShow,
    kLblPreset,
    kLblPresetText,
    kLblPreview,
    kLblProps,
    kLblPuncher,
    kLblRdBl,
    kLblRefresh,
    kLblRetrieve,
    kLblRSend_1,
    kLblRsend_2,
    kLblRSendList,
    kLblRSendToPunch,
    kLblRsHelp,
    kLblRuler,
    kLblRY,
    kLblSave,
    kLblSaveText,
    kLblSendHeader,
    kLblSendHeadlines,
    kLblSendMessage,
    kLblSendNumbers,
    kLblSendText1,
    kLblSettings,
    kLblSoundOff,
    kLblSoundOn,
    kLblStandard,
    kLblStatus,
    kLblStatus1,
    kLblSteam,
    kLblTempo,
    kLblTimeStamp,
    kLblUpdate,
    kLblVersion,
    kLblView,
    kLblWerda,
    kLblYlBl,
    kLblZi,
    kLine1,
    kLineHours1,
    kLineMinutes1,
    kLineSeconds2,
    kLookControls,
    kLookRow,
    kLstDevices,
    kLstFav,
    kLstHeadlines,
    kLstRSend,
    kLvwHeader,
    kLvwStat,
    kMessageEditor,
    kOptFlow,
    kOption1,
    kPanelPlace,
    kPhonebookWindows,
    kPicPunch,
    kPicVornalPapier_0,
    kPicVornalPapier_1,
    kRichTextBox1,
    kRulerStrip,
    kShape1,
    kSidePanels,
    kSoundControls,
    kSoundRow,
    kStatus,
    kStatus_col,
    kStatus_modified,
    kStatus_row,
    kStatusArea,
    kTabPreview,
    kTapeScroll,
    kTerminalArea,
    kText1,
    kText2,
    kTimer3,
    kToolbar,
    kTxtAction,
    kTxtChk,
    kTxtFind,
    kTxtHeadlines,
    kTxtID,
    kTxtInput,
    kTxtLocalName,
    kTxtLocalNumber,
    kTxtName,
    kTxtNumber,
    kTxtRsGr1,
    kTxtRsGr2,
    kTxtRsGr3,
    kTxtRsGr4,
    kTxtRsGr5,
    kTxtTerm,
    kTxtText,
};

} // namespace vornal::ObjectNames
