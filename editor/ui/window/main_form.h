// TMainForm: the editor's main window. Menus "&File" (Loadfr1), "&Edit" (Edit1: undo and
// redo), "Data transfer" (Datatransfer1) and the command "Firmware upgrade"; the toolbar tb1 sharing the "&File"
// actions; the pages Configuration2 ("Settings" tsSetup, "Presets" TabSheet1, "Preview"
// tsPreview); the progress bar pb; the status bar sbKPX with two panels; the timers timerKPX
// and timercurrentpreset. Every element carries its name as its objectName.
//
// The window is a thin layer: the set-up lives in an EditorState, the controller link in a
// DeviceLink, and the layout comes from the plain rules in ui/rules. Every exchange with the
// controller runs as a job on the window's DeviceThread, one at a time; the link, the
// converter layer, the transfer buffer and the last read images belong to that thread, and
// a command works on its own copy of the preset table and settings, whose changed rows and
// settings come back to the window as values.
#pragma once

#include <QMainWindow>
#include <QString>
#include <QStringList>

#include <array>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "device/link/device_link.h"
#include "device/commands/connection_monitor.h"
#include "device/converter/d2xx_unit.h"
#include "files/app_config.h"
#include "files/editor_state.h"
#include "files/recent_files.h"
#include "model/setup_compare.h"
#include "device/commands/transfer_commands.h"
#include "device/converter/usb_converters.h"
#include "device/user_messages.h"
#include "ui/rules/preview_rules.h"
#include "ui/rules/window_layout.h"
#include "ui/device/device_thread.h"
#include "ui/device/thread_transfer_view.h"

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
    std::optional<ScreenSize> screen;              // else the first monitor whose left edge is 0
    std::optional<double> dpi;                     // else that monitor's logical dots per inch
    std::optional<ConfigPlaces> config_places;     // else the working folder and the user's
    std::optional<TransportKind> transport;        // else the USB converter; main passes its choice
    UserMessages* messages = nullptr;              // else modal message boxes; not owned
    std::function<std::optional<std::string>()> image_version;   // else UploadableImageVersion()
    // A preset file named on the command line (bytes as given), opened after Orvel.ini.
    std::optional<std::string> start_file;
    // Answers "Save changes to first.ini?" (the question's text); else a modal box.
    std::function<SaveAnswer(const std::string&)> ask_save_changes;
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
    // The device thread's: touch them only while DeviceIdle().
    DeviceLink& Link() { return link_; }
    D2XXUnit& Usb() { return usb_; }
    const TransferBuffer& Buffer() const { return buffer_; }
    // No command runs and no job is queued or running on the device thread.
    bool DeviceIdle() const { return !command_running_ && device_thread_->Idle(); }
    // A command holds the controller: everything that starts one or changes the set-up is off.
    bool CommandRunning() const { return command_running_; }
    WindowTransferView& WindowView() { return *transfer_view_; }
    // What a command on the device thread hands back: a preset row, a bank's wah-pad
    // function, the settings. Each is stored in the window's set-up and shown.
    void TakeRow(int table_row, const PresetData& row);
    void TakeBankFunction(int bank_digit, bool on);
    void TakeSettings(const SettingsData& settings);
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
    OptionTile* Tile(int tile) const;   // asg1 to asg8; null outside 1 to 8
    QSpinBox* sePort() const { return sePort_; }
    QProgressBar* pb() const { return pb_; }
    QStatusBar* sbKPX() const { return sbKPX_; }
    QTimer* timerKPX() const { return timerKPX_; }
    QTimer* timercurrentpreset() const { return timercurrentpreset_; }
    PreviewPicture* iPreview() const { return iPreview_; }
    QTabWidget* Configuration2() const { return Configuration2_; }
    QLabel* lPrinting() const { return lPrinting_; }
    PrintSettingsDialog* asgprint() const { return asgprint_; }   // null until the first "Print"
    QFont TileFont() const;   // the font of asg1, which the live preview writes with

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
    void ShowComparison(const std::vector<SetupDifference>& differences);
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
    void asgbanksPrintStart(int page_count);   // keeps the page count
    void asgbanksPrintPage(int page);          // lPrinting's text and the status bar
    void Datatransfer1Click();   // the "Data transfer" menu opens
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
    void Firmwareupgrade1Click();
    void ReadbankfromKPX1Click() { Readbank1Click(); }
    void WritebanktoKPX1Click() { Writebank1Click(); }
    void ReadpresetfromKPX21Click() { Readpreset1Click(); }
    void WritepresettoKPX1Click() { Writepreset1Click(); }
    void Readsettings2Click() { Readsettings1Click(); }
    void Writesettings2Click() { Writesettings1Click(); }
    void Undo1Click();
    void Redo1Click();
    void Configuration2Change(int page);   // the page shown changed
    void TileClick(int tile);              // asg1 to asg8
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
    // Runs a device command on the session, with the port box's number.
    void RunDeviceCommand(const QString& name, const std::function<void(TransferSession&)>& command);
    // Posts a command's job: locks the window's commands and edits until it has ended.
    void RunCommandJob(const QString& name, std::function<void()> job);
    void SetCommandRunning(bool running, const QString& name = {});
    void SetPopupTransferItems(bool enabled);
    void ShowEditItems();  // "Undo" and "Redo": captions and whether they can run now
    void ApplyMonitorResult(const MonitorResult& result);
    void ShowCurrentPreset(std::uint8_t bank_digit, std::uint8_t preset_digit);
    void CloseIfAsked();

    MainFormOptions options_;
    std::unique_ptr<UserMessages> own_messages_;
    UserMessages* messages_;
    std::unique_ptr<DeviceThread> device_thread_;
    ThreadMessages device_messages_;   // the converter layer's dialogs, from the device thread
    UsbConverters converters_;
    D2XXUnit usb_;
    DeviceLink link_;
    EditorState state_;
    TransferBuffer buffer_{};
    LastReadImages last_read_{};
    std::unique_ptr<WindowTransferView> transfer_view_;
    ConfigPlaces places_;
    bool test_mode_ = false;
    ScreenSize screen_;
    double dpi_ = kDesignDpi;
    QRect monitor_;   // the chosen monitor's place on the desktop (empty without one)
    WindowLayout layout_;
    QString base_title_;
    std::optional<QString> title_right_;  // the firmware text while a controller answers
    std::string last_identity_;           // the identity shown when one last answered
    std::uint8_t shown_bank_ = 255;
    std::uint8_t shown_preset_ = 255;
    std::array<std::string, kPreviewBoxCount> shown_labels_;
    bool command_running_ = false;
    bool monitor_in_flight_ = false;
    bool preview_in_flight_ = false;
    bool close_requested_ = false;      // closes once the device thread's job has ended
    QString command_name_;              // the running command's name
    QString command_step_text_;         // and the step it is at
    std::chrono::steady_clock::time_point step_started_;
    RecentFiles recent_;
    std::vector<SetupDifference> comparison_;
    UndoHistory* history_ = nullptr;
    bool command_step_ = false;  // the running command's rows make one undo step

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
    QAction* Readall1_ = nullptr;
    QAction* Writeall1_ = nullptr;
    QAction* N5_ = nullptr;
    QAction* Readbank1_ = nullptr;
    QAction* Writebank1_ = nullptr;
    QAction* N6_ = nullptr;
    QAction* Readpreset1_ = nullptr;
    QAction* Writepreset1_ = nullptr;
    QAction* N7_ = nullptr;
    QAction* Readsettings1_ = nullptr;
    QAction* Writesettings1_ = nullptr;
    QAction* Checkdefault1_ = nullptr;
    QAction* N8_ = nullptr;
    QAction* Comparewithcontroller1_ = nullptr;
    QAction* N9_ = nullptr;  // above the recent files
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

    QTimer* timerKPX_ = nullptr;
    QTimer* timercurrentpreset_ = nullptr;
    QFileDialog* odialog_ = nullptr;
    QFileDialog* sdialog_ = nullptr;
    TfCOMPortNumber* fCOMPortNumber_ = nullptr;
    PrintSettingsDialog* asgprint_ = nullptr;
    int print_page_count_ = 0;
};

}  // namespace orvel
