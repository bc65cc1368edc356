// TMainForm: the editor's main window. Menus "&File" (Loadfr1), "&Edit" (Edit1: undo and
// redo), "Data transfer" (Datatransfer1) and the command "Firmware upgrade"; the toolbar tb1 sharing the "&File"
// actions; the pages Configuration2 ("Settings" tsSetup, "Presets" TabSheet1, "Preview"
// tsPreview); the progress bar pb; the status bar sbKPX with two panels; the timers timerKPX
// and timercurrentpreset. Every element carries its name as its objectName.
//
// The window is a thin layer: the set-up lives in an EditorState, the way to the controller
// in a DeviceSession (its device thread, converter layer, link and transfer buffers; one
// command at a time, the monitor's and the preview's ticks), and the layout comes from the
// plain rules in ui/rules. The window shows what the session signals and what its jobs show
// through the window's TransferView. Its code is spread over four files: main_form.cpp
// (start-up, what it shows, pages and edits), main_form_build.cpp (the elements and their
// layout), main_form_files.cpp (files, recent files, closing, printing) and
// main_form_device.cpp (the device commands and what the session signals).
#pragma once

#include <array>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <QMainWindow>
#include <QString>
#include <QStringList>

#include "device/commands/connection_monitor.h"
#include "device/user_messages.h"
#include "files/app_config.h"
#include "files/editor_state.h"
#include "files/recent_files.h"
#include "model/setup_compare.h"
#include "ui/device/device_session.h"
#include "ui/rules/device_commands.h"
#include "ui/rules/page_rules.h"
#include "ui/rules/preview_rules.h"
#include "ui/rules/window_layout.h"

class QAction;
class QFileDialog;
class QLabel;
class QMenu;
class QProgressBar;
class QSpinBox;
class QStatusBar;
class QTabWidget;
class QTimer;
class QToolBar;

namespace orvel {

class BalloonHints;
class ControllerPicture;
class DifferencesDialog;
class LibraryPage;
class OptionTile;
class PresetGrid;
class PreviewPicture;
class PrintSettingsDialog;
class SettingsGrid;
class TfCOMPortNumber;
class UndoHistory;
class WindowTransferView;

// The answer to "Save changes to first.ini?".
enum class SaveAnswer { Save, Discard, Cancel };

// What tests (and only tests) put in place of the machine's own: the screen, its dots per
// inch, the folders of Orvel.ini, the transport, message boxes and the image version.
struct MainFormOptions {
    std::optional<ScreenSize> screen;                           // else the first monitor whose left edge is 0
    std::optional<double> dpi;                                  // else that monitor's logical dots per inch
    std::optional<ConfigPlaces> config_places;                  // else the working folder and the user's
    std::optional<TransportKind> transport;                     // else the USB converter; main passes its choice
    UserMessages* messages = nullptr;                           // else modal message boxes; not owned
    std::function<std::optional<std::string>()> image_version;  // else UploadableImageVersion()
    // A preset file named on the command line (bytes as given), opened after Orvel.ini.
    std::optional<std::string> start_file;
    // Answers "Save changes to first.ini?" (the question's text); else a modal box.
    std::function<SaveAnswer(const std::string&)> ask_save_changes;
    // The library's default folder; else $XDG_DATA_HOME/orvel/library.
    std::optional<std::string> library_folder;
};

class TMainForm : public QMainWindow {
    Q_OBJECT
public:
    // arguments: the command line, the program's name first (QCoreApplication::arguments()).
    // Runs the start-up sequence; the window is not shown yet.
    explicit TMainForm(const QStringList& arguments, MainFormOptions options = {}, QWidget* parent = nullptr);
    ~TMainForm() override;

    TMainForm(const TMainForm&) = delete;
    TMainForm& operator=(const TMainForm&) = delete;

    // --- What the window works on -------------------------------------------------------
    EditorState& State() { return state_; }
    DeviceSession& Session() { return *session_; }
    // The device thread's: touch it only while DeviceIdle().
    D2XXUnit& Usb() { return session_->Usb(); }
    // No command runs and no job is queued or running on the device thread.
    bool DeviceIdle() const { return session_->Idle(); }
    // A command holds the controller: everything that starts one or changes the set-up is off.
    bool CommandRunning() const { return session_->CommandRunning(); }
    // The labels the live preview drew last (empty before its first drawing).
    const std::array<std::string, kPreviewBoxCount>& ShownPreviewLabels() const { return shown_labels_; }
    UserMessages& Messages() { return *messages_; }
    // Every change of the set-up, as undo steps.
    UndoHistory& History() { return *history_; }
    const ConfigPlaces& ConfigFolders() const { return places_; }
    bool TestMode() const { return test_mode_; }
    ScreenSize LayoutScreen() const { return screen_; }
    double LayoutDpi() const { return dpi_; }

    // --- Elements the commands drive ----------------------------------------------------
    PresetGrid* asgbanks() const { return asgbanks_; }
    SettingsGrid* aSetup() const { return aSetup_; }
    OptionTile* Tile(int tile) const;  // asg1 to asg8; null outside 1 to 8
    QSpinBox* sePort() const { return sePort_; }
    QProgressBar* pb() const { return pb_; }
    QStatusBar* sbKPX() const { return sbKPX_; }
    QTimer* timerKPX() const { return timerKPX_; }
    QTimer* timercurrentpreset() const { return timercurrentpreset_; }
    PreviewPicture* iPreview() const { return iPreview_; }
    QTabWidget* Configuration2() const { return Configuration2_; }
    QLabel* lPrinting() const { return lPrinting_; }
    PrintSettingsDialog* asgprint() const { return asgprint_; }  // null until the first "Print"
    QFont TileFont() const;                                      // the font of asg1, which the live preview writes with

    // The port number dialog, created after the window (at start, by the program).
    TfCOMPortNumber* CreatePortNumberDialog();
    TfCOMPortNumber* fCOMPortNumber() const { return fCOMPortNumber_; }

    // --- View hooks -----------------------------------------------------------------------
    // Enables or disables the twelve transfer items (menu and preset popup), runs or stops
    // timerKPX with them, hides or shows pb, then applies the page-change rule.
    void SetTransferControls(bool enabled);
    // The page-change rule for the page shown: "Data transfer" items and the preview timer.
    void ApplyPageRule();
    // Hourglass (true) or arrow (false) on the window and on the preset grid.
    void SetBusyCursor(bool busy);
    // Panel 0 (connection state) and panel 1 (current preset file) of sbKPX.
    void SetStatusPanel(int panel, const QString& text);
    QString StatusPanel(int panel) const;
    // The title set at start, which later title changes extend and return to.
    const QString& BaseTitle() const { return base_title_; }
    // Title = left, spaces, right, so that right ends near the title bar's right end.
    void makecaption(const QString& left, const QString& right);
    // The firmware text at the title's right end (none: the title's left part alone). The
    // left part names the preset file and marks unsaved changes.
    void SetTitleRight(const std::optional<QString>& right);
    void ShowTitle();
    // The step a long command is at ("erasing the flash (up to 31 s)"), beside the progress
    // bar with the seconds it has taken; `open_ended` steps show a moving bar.
    void ShowCommandStep(const QString& step, bool open_ended);
    QLabel* lCommand() const { return lCommand_; }
    // Makes the live preview draw its bank again at its next tick.
    void ForgetShownPreset();
    void SetShownPreset(std::uint8_t bank, std::uint8_t preset)
    {
        shown_bank_ = bank;
        shown_preset_ = preset;
    }
    std::uint8_t ShownBank() const { return shown_bank_; }
    std::uint8_t ShownPreset() const { return shown_preset_; }
    // Shows the EditorState again after it changed underneath (file, controller): the
    // preset grid, the settings grid, the tiles, the port box, "Save" and the file panel.
    void RefreshViews();

    // --- File commands without their dialogs (the dialogs end in these) ----------------
    void OpenFile(const QString& chosen_path);
    bool SaveFileAs(const QString& chosen_path);  // true when saved
    // A recent file of the File menu (its path's bytes): opened as "Open" opens a file,
    // after the question about unsaved changes; one that is no longer there is taken off the
    // list, with a message naming it.
    void OpenRecentFile(const std::string& path);
    // Whether the set-up may be set aside (closed, or replaced by another file): true when
    // nothing is unsaved, or the user saved it or chose to discard it; false on Cancel or
    // when saving failed.
    bool MaySetAside();
    const RecentFiles& Recent() const { return recent_; }
    // The File menu's recent file items, most recent first (hidden ones hold nothing).
    const std::vector<QAction*>& RecentItems() const { return recent_items_; }

    // --- Compare with controller ------------------------------------------------------------
    // The differences the last comparison found, marked in the grids and tiles and listed in
    // dDifferences; empty once any change to the set-up, a file load or another command has
    // taken the marks away.
    const std::vector<SetupDifference>& Comparison() const { return comparison_; }
    DifferencesDialog* dDifferences() const { return dDifferences_; }
    // Marks and lists the differences; with none, says that the two are the same.
    // `file_name`: the preset file compared with ("Compare with file"); empty for the controller.
    void ShowComparison(const std::vector<SetupDifference>& differences, const QString& file_name = {});
    void ClearComparison();
    // Shows the page and the cell (or tile) of a difference.
    void ShowDifference(const SetupDifference& difference);

    // --- Handlers, named for their elements ----------------------------------------------
    void Open1Click();
    // True when the set-up was saved (a Save without a file name runs "Save As").
    bool Save1Click();
    bool SaveAs1Click();
    void Quit1Click();
    void Print1Click();
    void asgbanksPrintStart(int page_count);  // keeps the page count
    void asgbanksPrintPage(int page);         // lPrinting's text and the status bar
    void Datatransfer1Click();                // the "Data transfer" menu opens
    void Readall1Click();
    void Writeall1Click();
    void Readbank1Click();
    void Writebank1Click();
    void Readpreset1Click();
    void Writepreset1Click();
    void Readsettings1Click();
    void Writesettings1Click();
    void Checkdefault1Click();
    void Comparewithcontroller1Click();
    // --- Library (ui/library) -----------------------------------------------------------
    // "Compare with file…": a file chosen in a dialog, then CompareWithFile.
    void Comparewithfile1Click();
    // The set-up compared with a preset file, shown as "Compare with controller" shows its
    // differences; a file that cannot be read is reported.
    void CompareWithFile(const std::string& path);
    // "Open" in the library: as a recent file opens, after the question about unsaved
    // changes; then the preset chosen there (-1 for none) is shown in the preset grid.
    void OpenFromLibrary(const std::string& path, int preset);
    LibraryPage* tsLibrary() const { return tsLibrary_; }
    void Firmwareupgrade1Click();
    void ReadbankfromKPX1Click() { Readbank1Click(); }
    void WritebanktoKPX1Click() { Writebank1Click(); }
    void ReadpresetfromKPX21Click() { Readpreset1Click(); }
    void WritepresettoKPX1Click() { Writepreset1Click(); }
    void Readsettings2Click() { Readsettings1Click(); }
    void Writesettings2Click() { Writesettings1Click(); }
    void Undo1Click();
    void Redo1Click();
    // The "Data transfer" item of a device command.
    QAction* CommandItem(DeviceCommand command) const { return command_items_[static_cast<std::size_t>(command)]; }
    void Configuration2Change(int page);  // the page shown changed
    void TileClick(int tile);             // asg1 to asg8
    void timerKPXTimer();
    void timercurrentpresetTimer();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildMenus();
    void BuildToolbar();
    void BuildPages();
    void BuildStatusBar();
    QFileDialog* OpenDialog();  // made when first needed
    QFileDialog* SaveDialog();
    void BuildTimers();
    void ChooseScreen();
    void LayOutWindowParts();
    void PlaceSettingsPage();
    void PlacePresetsPage();
    void PlacePreviewPage();
    void ApplyFonts();
    void ReadConfigurationAtStart();
    void ShowFileFailure(const std::string& reason);
    void OpenPath(const std::string& path);
    SaveAnswer AskSaveChanges();
    void DrawCommandLine();
    std::string ShownFileName() const;  // the current file's last part, for the title
    void BuildRecentItems();
    void ShowRecentItems();
    void RememberRecentFile(const std::string& path);
    // Writes the recent files to recent.ini (a failure is only logged) and shows them.
    void StoreRecentFiles();
    // Undoes (back) or redoes one step of the history, unless a command or a step is open.
    void StepHistory(bool back);
    void ShowRefusedEntry(const QString& message);
    void CommitOpenEditors();
    QAction* NewAction(const char* name, const QString& caption);
    void ConnectSession();
    // Runs a device command on the session, on the current row, with the port box's number.
    void RunTransferCommand(DeviceCommand command, const DeviceSession::Command& run);
    std::uint8_t PortNumber() const;
    // The one place that shows whether a command runs: while one does, everything that
    // starts another or changes the set-up is off and the command's name is beside the bar.
    void ShowCommandRunning(bool running, const QString& name = {});
    // The device commands' items as the page-change rule and a running command have them.
    void ShowCommandItems(const PageTransferState& rule);
    void SetPopupTransferItems(bool enabled);
    void ShowEditItems();  // "Undo" and "Redo": captions and whether they can run now
    void ShowMonitorFinding(const MonitorShow& show);
    void ShowCurrentPreset(std::uint8_t preset);

    MainFormOptions options_;
    std::unique_ptr<UserMessages> own_messages_;
    UserMessages* messages_;
    EditorState state_;
    std::unique_ptr<WindowTransferView> transfer_view_;
    UndoHistory* history_ = nullptr;
    std::unique_ptr<DeviceSession> session_;  // after what it shows through: it goes first
    ConfigPlaces places_;
    bool test_mode_ = false;
    ScreenSize screen_;
    double dpi_ = kDesignDpi;
    QRect monitor_;  // the chosen monitor's place on the desktop (empty without one)
    WindowLayout layout_;
    QString base_title_;
    std::optional<QString> title_right_;  // the firmware text while a controller answers
    std::uint8_t shown_bank_ = 255;
    std::uint8_t shown_preset_ = 255;
    std::array<std::string, kPreviewBoxCount> shown_labels_;
    QString command_name_;       // the running command's name
    QString command_step_text_;  // and the step it is at
    std::chrono::steady_clock::time_point step_started_;
    RecentFiles recent_;
    std::vector<SetupDifference> comparison_;

    // menus and their items
    QMenu* Loadfr1_ = nullptr;
    QMenu* Datatransfer1_ = nullptr;
    QMenu* Edit1_ = nullptr;
    QAction* Undo1_ = nullptr;
    QAction* Redo1_ = nullptr;
    QAction* Open1_ = nullptr;
    QAction* Save1_ = nullptr;
    QAction* SaveAs1_ = nullptr;
    QAction* Print1_ = nullptr;
    QAction* Quit1_ = nullptr;
    // The device commands' "Data transfer" items (Readall1 … Comparewithcontroller1) in the
    // order of kDeviceCommands, and the separators after their groups (N5 to N8).
    std::array<QAction*, kDeviceCommandCount> command_items_{};
    std::array<QAction*, kDeviceCommandCount> separators_after_{};
    QAction* Comparewithfile1_ = nullptr;  // library: "&File" menu
    QAction* N9_ = nullptr;                // above the recent files
    std::vector<QAction*> recent_items_;
    DifferencesDialog* dDifferences_ = nullptr;
    QAction* Firmwareupgrade1_ = nullptr;
    QMenu* pmSettings_ = nullptr;
    QAction* Readsettings2_ = nullptr;
    QAction* Writesettings2_ = nullptr;

    QToolBar* tb1_ = nullptr;
    QProgressBar* pb_ = nullptr;
    QLabel* lCommand_ = nullptr;     // the running command and its step, beside pb
    QTimer* stepSeconds_ = nullptr;  // counts the step's seconds in lCommand
    QStatusBar* sbKPX_ = nullptr;
    std::array<QLabel*, 2> status_panels_{};

    QTabWidget* Configuration2_ = nullptr;
    QWidget* tsSetup_ = nullptr;
    QWidget* TabSheet1_ = nullptr;
    QWidget* tsPreview_ = nullptr;
    ControllerPicture* i_kpx_ = nullptr;
    std::array<OptionTile*, 8> tiles_{};
    BalloonHints* balloons_ = nullptr;
    SettingsGrid* aSetup_ = nullptr;
    QLabel* Label1_ = nullptr;
    QSpinBox* sePort_ = nullptr;
    PresetGrid* asgbanks_ = nullptr;
    QLabel* lPrinting_ = nullptr;
    PreviewPicture* iPreview_ = nullptr;
    LibraryPage* tsLibrary_ = nullptr;  // library: the fourth page

    QTimer* timerKPX_ = nullptr;
    QTimer* timercurrentpreset_ = nullptr;
    QFileDialog* odialog_ = nullptr;  // see OpenDialog and SaveDialog
    QFileDialog* sdialog_ = nullptr;
    TfCOMPortNumber* fCOMPortNumber_ = nullptr;
    PrintSettingsDialog* asgprint_ = nullptr;
    int print_page_count_ = 0;
};

}  // namespace orvel
