// The viewer panel: TBkOrlimoComposite owns the message list model and the
// message list control FLstMsgs and carries out the panel's list operations
// (adding and inserting messages, notes, separators and check points, the
// wake-up rule, the list-full procedure, clearing, loading and saving log
// files), draws each line of the list, and shows the popup tip.
//
// The intake windows reach it through TLxIntakePanel. The rest of the
// panel's widgets (toolbar, status bar, inspector, scratch-pad grid,
// navigator) are assembled around FLstMsgs by the composite's assembly; the
// operations here already keep the state those widgets will show.
#pragma once

#include "core/BkListBox.h"
#include "core/BkPopupTip.h"

#include "platform/Forms.h"
#include "platform/Graphics.h"

#include "protocol/LxIntake.h"
#include "model/MsgList.h"

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

// One entry of the kind style table: colour and text style of a message kind.
struct TOrlimoFontRec {
  bool UseDefault = false;
  TColor Color = 0;
  std::uint8_t Style = 0;  // bit 0 bold, bit 1 italic, bit 2 underline, bit 3 strike-out
};
using TOrlimoFonts = std::array<TOrlimoFontRec, IconKindCount>;

// The kind style table: one per process, shared by every panel.
extern TOrlimoFonts FOrlimoFonts;

// The system clock: GetTickCount and the local time of day.
class TWinClock : public TOrlimoClock {
public:
  std::int32_t TickCount() override;
  std::int32_t TimeOfDay() override;
};

using TLstMessagesEvent = std::function<void(TObject* Sender, bool CanInspect, bool CanMatchMethod)>;
using TStatusUpdateEvent = std::function<void(TObject* Sender, bool HasSelection, bool HasItems)>;
using TNavUpdateEvent =
    std::function<void(TObject* Sender, bool FirstEnabled, bool PrevEnabled, bool NextEnabled, bool LastEnabled)>;

// The navigation commands, numbered as the navigator buttons' tags: first,
// previous, next, last. They also index the buttons' enabled states.
enum TNavCommand : std::size_t { nvFirst, nvPrev, nvNext, nvLast };
inline constexpr std::size_t NavCommandCount = nvLast + 1;

class TBkOrlimoComposite : public TScrollingWinControl, public TLxIntakePanel, private TMsgListObserver {
public:
  static constexpr int IconWidth = 14;
  static constexpr int IconHeight = 11;
  static constexpr COLORREF IconTransparentColor = RGB(128, 0, 128);

  // Clock: the time source (null: the system clock). It must outlive the panel.
  explicit TBkOrlimoComposite(TComponent* AOwner, TOrlimoClock* Clock = nullptr);
  // The panel made for the IDE plug-in (its settings live under another key).
  static TBkOrlimoComposite* CreateForCodeRush(TComponent* AOwner, TOrlimoClock* Clock = nullptr);
  ~TBkOrlimoComposite() override;

  bool IsForCodeRush() const { return FForCodeRush; }

  // --- the message list ------------------------------------------------------
  TBkEditListBox* FLstMsgs = nullptr;
  TOrlimoMsgList& Messages() { return *FMsgs; }
  TBkPopupTip& Tip() { return *FTip; }

  std::int32_t AddMessage(std::int32_t Kind, std::string_view Text, std::string_view AppName,
                          std::string_view TypeName, std::int32_t TickCount,
                          std::optional<std::string_view> Details) override;
  void InsertMessage(std::int32_t Position, std::int32_t Kind, std::string_view Text, std::string_view AppName,
                     std::string_view TypeName, std::int32_t TickCount, std::optional<std::string_view> Details);
  void AddCheckPoint(std::string_view AppName, std::int32_t TickCount) override;
  void AddSeparator(std::string_view AppName, std::int32_t TickCount) override;
  void InsertSeparator(std::string_view AppName, std::int32_t TickCount);
  const TOrlimoMsgInfo& GetItemMsgInfo(std::int32_t Position) const;
  const TOrlimoMsgInfo* GetCurrentMsgInfo() const;
  void ScratchPadMsg(std::int32_t Line, std::string_view Text) override;
  const std::string& GetScratchPadLine(std::int32_t Line) const;
  void SetSatellite(TBkFrmLxSatellite* Satellite) override { FSatellite = Satellite; }
  TBkFrmLxSatellite* GetSatellite() const { return FSatellite; }
  void AppendSharedItemsFrom(TLxIntakePanel& First) override;

  // Virtual operations, in slot order.
  virtual void JumpToItem(std::int32_t Position);
  virtual std::string PrepareLine(std::int32_t Position);
  virtual void ProcessMessage(const void* Record, std::size_t Size);
  virtual void LoadMessages(const std::string& FileName);
  void SaveLogFile(const std::string& FileName) override;
  virtual void ClearWithPrompt();
  virtual void ResetIndentLevel();
  void Clear() override;
  virtual void DeleteSelectedItems();
  virtual void SelectAll();
  virtual void AddNote();
  virtual void InsertNote();

  // --- settings --------------------------------------------------------------
  bool GetIgnoreMessages() const override { return FMsgs->GetIgnoreMessages(); }
  void SetIgnoreMessages(bool Value);
  bool GetInsertSeparatorOnWakeUp() const { return FMsgs->GetInsertSeparatorOnWakeUp(); }
  void SetInsertSeparatorOnWakeUp(bool Value) { FMsgs->SetInsertSeparatorOnWakeUp(Value); }
  bool GetBeepOnWakeUp() const { return FMsgs->GetBeepOnWakeUp(); }
  void SetBeepOnWakeUp(bool Value) { FMsgs->SetBeepOnWakeUp(Value); }
  std::int32_t GetIdleTime() const { return FMsgs->GetIdleTime(); }
  void SetIdleTime(std::int32_t Value) { FMsgs->SetIdleTime(Value); }
  std::int32_t GetNavigatorMessage() const { return FMsgs->GetNavigatorMessage(); }
  bool GetInsertAtEnd() const { return FMsgs->GetInsertAtEnd(); }
  void SetInsertAtEnd(bool Value) { FMsgs->SetInsertAtEnd(Value); }
  bool GetConfirmOnClear() const { return FConfirmOnClear; }
  void SetConfirmOnClear(bool Value) { FConfirmOnClear = Value; }
  bool GetKeepMsgInView() const { return FKeepMsgInView; }
  void SetKeepMsgInView(bool Value) { FKeepMsgInView = Value; }
  bool GetViewIcons() const { return FViewIcons; }
  void SetViewIcons(bool Value);
  bool GetViewTimeStamp() const { return FViewTimeStamp; }
  void SetViewTimeStamp(bool Value);
  bool GetViewAppName() const { return FViewAppName; }
  void SetViewAppName(bool Value);
  TFont& GetLstMsgsFont() { return FLstMsgs->GetFont(); }
  void SetLstMsgsFont(const TFont& Font);
  TFont& MsgFont() { return FMsgFont; }
  TFont& ObjectFont() { return FObjectFont; }
  TFont& StreamFont() { return FStreamFont; }
  // The toolbar's height when it is shown, else 0 (the clear confirmation
  // sits below it). No toolbar yet: 0.
  virtual int ToolbarOffset() const { return 0; }
  const std::string& LocalAppName() const { return FMsgs->GetLocalAppName(); }

  // --- rendering -------------------------------------------------------------
  int IndentWidth() const { return FIndentWidth; }
  int AppNameWidth() const { return FAppNameWidth; }
  int TimeStampWidth() const { return FTimeStampWidth; }
  RECT GetMessageRect(std::int32_t Level, const RECT& ItemRect) const;
  RECT GetAppRect(const RECT& MessageRect) const;
  RECT GetTimeRect(const RECT& ItemRect, const RECT& MessageRect, const RECT& AppRect) const;
  std::string CropMessage(std::string Text, int Width);
  void InitIcons();
  TBitmap* Icon(std::int32_t Kind, bool Selected);
  bool UpdateAppNameWidth(std::string_view AppName);
  bool UpdateTimeStampWidth();
  void UpdateItemHeight();
  void UpdateList();
  void ReverseList();
  void ShowTip();
  void HideTip();
  bool GetTipVisible() const { return FTipVisible; }
  // Colour and style of a kind (-1: the default) from the kind style table.
  static void SetFontColorStyle(TFont& Font, std::int32_t Kind);

  // --- notifications ---------------------------------------------------------
  TLstMessagesEvent OnLstMsgsClick;
  TNotifyEvent OnUpdateMenu;
  TStatusUpdateEvent OnUpdateStatus;
  TNavUpdateEvent OnUpdateNav;
  // The navigator buttons' enabled states, indexed by TNavCommand.
  std::array<bool, NavCommandCount> NavButtonsEnabled() const { return FNavEnabled; }

  // The selection handler: what a click on the list runs.
  virtual void LstMsgsClick();
  virtual void DoUpdateMenu();
  virtual void DoUpdateStatus();
  virtual void DoUpdateNav();
  void UpdateStatus();

  void WndProc(TMessage& Message) override;

protected:
  void CreateWnd() override;

  // The list's event handlers.
  void LstMsgsDrawItem(TBkVertListBox& Control, std::int32_t Index, const RECT& Rect, TOwnerDrawState State);
  void LstMsgsSizeEditRect(std::int32_t Index, RECT& EditRect);
  void LstMsgsShowingEditor(std::int32_t Index, bool& AllowShow);

private:
  void Initialize();
  // TMsgListObserver
  void WakeUpBeep() override;
  void BeforeInsert(std::int32_t Kind, std::string_view AppName) override;
  void NavigatorKindInserted(std::int32_t Position) override;
  void AfterInsert(std::int32_t Position) override;
  TListFullAnswer ListFull() override;
  void Cleared() override;
  void IgnoreMessagesChanged(bool Ignore) override;

  void ResetColumnWidths();
  void MeasureAllColumns();

  bool FForCodeRush = false;
  std::unique_ptr<TWinClock> FOwnClock;
  std::unique_ptr<TOrlimoMsgList> FMsgs;
  class TItems;
  std::unique_ptr<TItems> FItems;
  TBkPopupTip* FTip = nullptr;
  bool FTipVisible = false;
  TBkFrmLxSatellite* FSatellite = nullptr;

  bool FConfirmOnClear = true;
  bool FKeepMsgInView = false;
  bool FViewIcons = true;
  bool FViewTimeStamp = false;
  bool FViewAppName = false;

  TFont FMsgFont;
  TFont FObjectFont;
  TFont FStreamFont;
  int FIndentWidth = 24;
  int FAppNameWidth = 0;
  int FTimeStampWidth = 0;
  // Application names already measured for the current list font.
  struct TNameHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view S) const { return std::hash<std::string_view>{}(S); }
  };
  std::unordered_map<std::string, int, TNameHash, std::equal_to<>> FAppNameWidths;
  int FSampleTimeWidth = -1;
  std::array<std::array<std::unique_ptr<TBitmap>, 2>, IconKindCount> FIcons;
  std::array<std::string, 100> FScratchPad;
  std::array<bool, NavCommandCount> FNavEnabled{};
};
