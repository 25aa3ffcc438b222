#include "core/BkOrlimo.h"

#include "core/BkLogToFile.h"

#include "core/BkLxStr.h"
#include "core/LxClrFrm.h"
#include "core/LxFulFrm.h"
#include "core/LxIndFrm.h"

#include "components/LxCommon.h"
#include "model/ExportLine.h"
#include "model/LogFile.h"
#include "model/ScopeExit.h"
#include "platform/PlatformExcept.h"
#include "protocol/LxSatFrm.h"

#include <algorithm>
#include <iterator>

TOrlimoFonts FOrlimoFonts{};

// ============================================================ TWinClock

std::int32_t TWinClock::TickCount() { return static_cast<std::int32_t>(GetTickCount()); }

std::int32_t TWinClock::TimeOfDay() {
  SYSTEMTIME T{};
  GetLocalTime(&T);
  return ((T.wHour * 60 + T.wMinute) * 60 + T.wSecond) * 1000 + T.wMilliseconds;
}

namespace {

// The running program's file name without folder and extension.
std::string ExeBaseName() {
  char Path[MAX_PATH] = {};
  const DWORD N = GetModuleFileNameA(nullptr, Path, MAX_PATH);
  std::string Name(Path, N);
  const auto Slash = Name.find_last_of("\\/:");
  if (Slash != std::string::npos) Name.erase(0, Slash + 1);
  const auto Dot = Name.find_last_of('.');
  if (Dot != std::string::npos) Name.erase(Dot);
  return Name;
}

bool IsSeparatorKind(std::int32_t Kind) { return Kind == lxmSeparator || Kind == lxmWakeUpSeparator; }

// The sizes the panes keep while the panel has room for them. The list keeps
// room for its columns and some text, four rows high; the inspector pane and
// the scratch pad give way first, down to a narrow column and three rows.
constexpr int ListMinWidth = 200;
constexpr int ListMinHeight = 72;
constexpr int InspectorMinWidth = 100;
constexpr int ScratchPadMinHeight = 51;

}  // namespace

// ============================================================ the list's items

// The list shows the panel's shown messages: an index of the list is an index
// among them (the model's position while nothing filters).
class TBkOrlimoComposite::TItems : public TBkListItems {
public:
  explicit TItems(TBkOrlimoComposite& Panel) : FPanel(Panel) {}
  std::int32_t Count() const override { return FPanel.ShownCount(); }
  std::string GetString(std::int32_t Index) const override {
    return std::string(FPanel.FMsgs->GetItemText(FPanel.ShownPosition(Index)));
  }
  void SetString(std::int32_t Index, std::string_view Text) override {
    FPanel.FMsgs->SetItemText(FPanel.ShownPosition(Index), Text);
  }
  void DeleteWhere(const std::function<bool(std::int32_t)>& IsDeleted) override {
    FPanel.FCallStackLines.clear();  // they point into records that may go
    FPanel.RestartRefilter();
    if (!FPanel.FFiltering) {
      FPanel.FMsgs->DeleteIf(IsDeleted);
      return;
    }
    // Only shown messages are deleted: their positions, in increasing order.
    std::vector<std::int32_t> Gone;
    for (std::int32_t I = 0; I < FPanel.FShown.Count(); ++I)
      if (IsDeleted(I)) Gone.push_back(FPanel.FShown.Position(I));
    std::size_t Next = 0;
    FPanel.FMsgs->DeleteIf([&Gone, &Next](std::int32_t P) {
      if (Next < Gone.size() && Gone[Next] == P) {
        ++Next;
        return true;
      }
      return false;
    });
    FPanel.FShown.Deleted(Gone);
  }

private:
  TBkOrlimoComposite& FPanel;
};

TBkListItems* TBkOrlimoComposite::ListItems() const { return FItems.get(); }

// ============================================================ construction

TBkOrlimoComposite::TBkOrlimoComposite(TComponent* AOwner, TOrlimoClock* Clock)
    : TBkOrlimoComposite(AOwner, Clock, false) {}

TBkOrlimoComposite::TBkOrlimoComposite(TComponent* AOwner, TOrlimoClock* Clock, bool ForCodeRush)
    : TScrollingWinControl(AOwner), FForCodeRush(ForCodeRush) {
  if (!Clock) {
    FOwnClock = std::make_unique<TWinClock>();
    Clock = FOwnClock.get();
  }
  FMsgs = std::make_unique<TOrlimoMsgList>(*Clock, ExeBaseName());
  FMsgs->SetObserver(this);
  FMsgs->SetCheckPointFormat(BkLxStr::LoadStr(BkLxStr::sLxCheckPoint));
  FItems = std::make_unique<TItems>(*this);
  FLogToFile = std::make_unique<TBkLogToFile>();
  FLogToFile->OnFailure = [this](const ELogFileError& E) { LogFileFailed(E); };
  Initialize();
  FLstMsgs->OnTick = [this] { return FLogToFile->Tick(); };
}

TBkOrlimoComposite* TBkOrlimoComposite::CreateForCodeRush(TComponent* AOwner, TOrlimoClock* Clock) {
  return new TBkOrlimoComposite(AOwner, Clock, true);
}

TBkOrlimoComposite::~TBkOrlimoComposite() {
  if (FForCodeRush) {
    // Every entry: a panel registered twice must leave no entry behind.
    while (FSatellite) {
      const auto& Served = FSatellite->GetComposites();
      if (std::find(Served.begin(), Served.end(), this) == Served.end()) break;
      FSatellite->RemoveCompositeReference(this);
    }
    try {
      SaveSettings();
    } catch (const std::exception& E) {
      Application->HandleException(E);
    }
  }
  FLogToFile->Stop();
  FSavedItems.reset();
  // The children refer to the model: they go first.
  BeginDestroy();
  if (FTipVisible) ReleaseCapture();
  DestroyComponents();
  FLstMsgs = nullptr;
  FTip = nullptr;
  FMsgs->SetObserver(nullptr);
}

void TBkOrlimoComposite::Initialize() {
  SetWindowClassName("TBkOrlimoComposite");
  SetBounds(0, 0, 300, 150);
  FLastWidth = 300;

  FMsgFont.SetName("Arial");
  FMsgFont.SetSize(8);
  FObjectFont.SetName("Arial");
  FObjectFont.SetSize(8);
  FStreamFont.SetName("Courier New");
  FStreamFont.SetSize(8);

  CreateEmbeddedComponents();
  ApplyInspectorFonts();

  // The view defaults (fields only: no setter runs before the widgets settle).
  FViewToolbar = true;
  FWrapButtons = true;
  FViewInspectorPane = false;
  FViewScratchPad = false;
  FViewStatusBar = true;
  FViewIcons = true;
  FViewTimeStamp = false;
  FViewAppName = false;
  FViewCallStack = false;
  FConfirmOnClear = true;
  FKeepMsgInView = false;
  FIndentWidth = 24;
  ResetColumnWidths();
  FNbkView->SetPageIndex(0);
  // The panes and their buttons agree with the view fields until the
  // settings are loaded.
  FInspectorSplitter->GetLowerRight()->SetVisible(false);
  FScratchPadSplitter->GetLowerRight()->SetVisible(false);
  FBtnInspectorPane->SetDown(false);
  FBtnScratchPad->SetDown(false);
  FBtnCallStack->SetDown(false);
  FInspectorSplitter->GetUpperLeft()->SetMinSize(ListMinWidth);
  FInspectorSplitter->GetLowerRight()->SetMinSize(InspectorMinWidth);
  FScratchPadSplitter->GetUpperLeft()->SetMinSize(ListMinHeight);
  FScratchPadSplitter->GetLowerRight()->SetMinSize(ScratchPadMinHeight);

  FTip = new TBkPopupTip(this);
  TFont TipFont;
  TipFont.SetName("MS Sans Serif");
  TipFont.SetSize(TipFontSize);
  TipFont.SetStyle(0);
  TipFont.SetColor(clInfoText);
  FTip->SetFont(TipFont);
  FTip->OnCloseRequest = [this] { HideTip(); };

  // The navigator kind's glyph and menu check (the kind itself starts at 3).
  SetNavigatorGlyph();
  CheckNavMsgsMenuItem(GetNavigatorMessage());
}

void TBkOrlimoComposite::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_SIZE: WMSize(Message); return;
    case UM_INITSPLITTERBARPOS: UMInitSplitterBarPos(Message); return;
    case UM_LOGFILEERROR: ShowLogFileError(); return;
    case UM_LOADLISTFULL: AskLoadListFull(); return;
    case WM_CANCELMODE: HideTip(); break;
    default: break;
  }
  TScrollingWinControl::WndProc(Message);
}

// ============================================================ list operations

std::int32_t TBkOrlimoComposite::AddMessage(std::int32_t Kind, std::string_view Text, std::string_view AppName,
                                            std::string_view TypeName, std::int32_t TickCount,
                                            std::optional<std::string_view> Details) {
  return FMsgs->AddMessage(Kind, Text, AppName, TypeName, TickCount, Details);
}

void TBkOrlimoComposite::InsertMessage(std::int32_t Position, std::int32_t Kind, std::string_view Text,
                                       std::string_view AppName, std::string_view TypeName, std::int32_t TickCount,
                                       std::optional<std::string_view> Details) {
  FMsgs->InsertMessage(Position, Kind, Text, AppName, TypeName, TickCount, Details);
}

void TBkOrlimoComposite::AddCheckPoint(std::string_view AppName, std::int32_t TickCount) {
  FMsgs->AddCheckPoint(AppName, TickCount);
}

void TBkOrlimoComposite::AddSeparator(std::string_view AppName, std::int32_t TickCount) {
  FMsgs->AddSeparator(AppName, TickCount);
}

void TBkOrlimoComposite::InsertSeparator(std::string_view AppName, std::int32_t TickCount) {
  FMsgs->InsertSeparator(ShownPosition(FLstMsgs->GetItemIndex()), AppName, TickCount);
}

const TOrlimoMsgInfo& TBkOrlimoComposite::GetItemMsgInfo(std::int32_t Position) const {
  return FMsgs->GetItemMsgInfo(ShownPosition(Position));
}

const TOrlimoMsgInfo* TBkOrlimoComposite::GetCurrentMsgInfo() const {
  const std::int32_t I = FLstMsgs->GetItemIndex();
  if (I < 0 || I >= ShownCount()) return nullptr;
  return &GetItemMsgInfo(I);
}

void TBkOrlimoComposite::AppendSharedItemsFrom(TLxIntakePanel& First) {
  auto* Other = dynamic_cast<TBkOrlimoComposite*>(&First);
  if (!Other || Other == this) return;
  FMsgs->AppendSharedItemsFrom(*Other->FMsgs);
  if (FFiltering || FRefilter) Refilter();
  FLstMsgs->ItemsChanged();
  MeasureAllColumns();
  UpdateList();
}

void TBkOrlimoComposite::JumpToItem(std::int32_t Position) {
  if (Position < 0 || Position >= ShownCount()) return;
  FLstMsgs->SetCaretIndex(Position);
  FLstMsgs->ClearSelection();
  FLstMsgs->SetSelected(Position, true);
  LstMsgsClick();
}

std::string TBkOrlimoComposite::PrepareLine(std::int32_t Position) {
  return ::PrepareLine(*FMsgs, ShownPosition(Position), TExportOptions{FViewTimeStamp, FViewIcons});
}

void TBkOrlimoComposite::ProcessMessage(const void* Record, std::size_t Size) { FMsgs->ProcessMessage(Record, Size); }

void TBkOrlimoComposite::ClearWithPrompt() {
  if (FMsgs->Empty()) return;
  if (FConfirmOnClear && UserAbortsClear(*this, ToolbarOffset())) return;
  Clear();
}

void TBkOrlimoComposite::ResetIndentLevel() {
  if (ActuallyResetIndentLevel(*this)) FMsgs->ResetIndentLevel();
}

void TBkOrlimoComposite::Clear() {
  TCursorGuard Hourglass;
  FMsgs->Clear();  // the panel's side of it runs in Cleared()
}

void TBkOrlimoComposite::AddNote() {
  const std::int32_t P = ShownIndexOf(FMsgs->AddNote());
  if (P < 0) return;  // not added, or not shown by the filter
  FLstMsgs->SetCaretIndex(P);
  FLstMsgs->ClearSelection();
  FLstMsgs->SetSelected(P, true);
  LstMsgsClick();
  FLstMsgs->ShowEditor();
}

void TBkOrlimoComposite::InsertNote() {
  if (FMsgs->Empty()) {
    AddNote();
    return;
  }
  const std::int32_t P = ShownIndexOf(FMsgs->InsertNote(ShownPosition(FLstMsgs->GetItemIndex())));
  if (P < 0) return;
  JumpToItem(P);
  FLstMsgs->ShowEditor();
}

void TBkOrlimoComposite::SetIgnoreMessages(bool Value) { FMsgs->SetIgnoreMessages(Value); }

// ============================================================ model notifications

void TBkOrlimoComposite::WakeUpBeep() { MessageBeep(0); }

void TBkOrlimoComposite::BeforeInsert(std::int32_t, std::string_view AppName) {
  // Both columns are measured in the list font; a name is measured once.
  const bool NameGrew = UpdateAppNameWidth(AppName);
  const bool TimeGrew = UpdateTimeStampWidth();
  if (NameGrew || TimeGrew) FLstMsgs->MarkDirty();
}

void TBkOrlimoComposite::NavigatorKindInserted(std::int32_t) {
  // The buttons towards the new message.
  if (FMsgs->GetInsertAtEnd()) {
    FNavEnabled[nvNext] = FNavEnabled[nvLast] = true;
  } else {
    FNavEnabled[nvFirst] = FNavEnabled[nvPrev] = true;
  }
  ApplyNavButtons();
}

void TBkOrlimoComposite::AfterInsert(std::int32_t Position) {
  const TOrlimoMsgInfo& Info = FMsgs->GetItemMsgInfo(Position);
  FLogToFile->Record(Info);
  std::int32_t Shown = Position;
  if (FRefilter && Position < FRefilter->Next) {
    // Above the re-filtering in progress: it takes the message in now.
    FRefilter->Index.InsertedAt(Position, FRefilter->Next, FFilter->Shows(Info));
    ++FRefilter->Next;
  }
  if (FFiltering) {
    // Tested once, on arrival: the rules decide whether the list sees it.
    Shown = FShown.InsertedAt(Position, FMsgs->Count() - 1, FFilter->Shows(Info));
    if (Shown < 0) return;
  }
  FLstMsgs->ItemInserted(Shown);
  if (FKeepMsgInView && !FLstMsgs->GetPopupVisible()) FLstMsgs->SetTopIndex(Shown);
}

void TBkOrlimoComposite::ItemsLoaded(std::int32_t First, std::int32_t Count) {
  // What BeforeInsert, NavigatorKindInserted and AfterInsert do for each,
  // once for all: a name is measured when it differs from the one before.
  const bool AtEnd = FMsgs->GetInsertAtEnd();
  RestartRefilter();
  const std::string* LastApp = nullptr;
  bool Grew = false;
  bool Navigator = false;
  for (std::int32_t K = 0; K < Count; ++K) {
    // In arrival order: upwards at the end, from the bottom up at the top.
    const std::int32_t P = AtEnd ? First + K : Count - 1 - K;
    const TOrlimoMsgInfo& Info = FMsgs->GetItemMsgInfo(P);
    if (&Info.AppName() != LastApp) {
      LastApp = &Info.AppName();
      Grew = UpdateAppNameWidth(*LastApp) || Grew;
    }
    const std::int32_t Kind = Info.MsgType();
    if (Kind == FMsgs->GetNavigatorMessage() && Kind != lxmEnterMethod && Kind != lxmExitMethod) Navigator = true;
    FLogToFile->Record(Info);
    if (FFiltering) {
      const bool Shown = FFilter->Shows(Info);
      FShown.Inserted(AtEnd ? P : 0, !AtEnd, Shown);
      if (Shown) FLstMsgs->ItemInserted(AtEnd ? FShown.Count() - 1 : 0);
    } else {
      FLstMsgs->ItemInserted(AtEnd ? P : 0);
    }
  }
  if (UpdateTimeStampWidth() || Grew) FLstMsgs->MarkDirty();
  if (Navigator) NavigatorKindInserted(First);
  if (Count > 0 && FKeepMsgInView && !FLstMsgs->GetPopupVisible() && ShownCount() > 0)
    FLstMsgs->SetTopIndex(AtEnd ? ShownCount() - 1 : 0);
}

TListFullAnswer TBkOrlimoComposite::ListFull() {
  if (ListIsFullResponse(*this) == mrIgnore) {
    // The user switched the intake off in the panel's own dialog, as with the
    // toolbar toggle: the host's menu is told.
    SetIgnoreMessages(true);
    DoUpdateMenu();
    return TListFullAnswer::Ignore;
  }
  Clear();  // the panel's own, with the hourglass while it works
  return TListFullAnswer::Clear;
}

void TBkOrlimoComposite::Cleared() {
  FCallStackLines.clear();  // they point into the records just released
  FShown.Clear();
  RestartRefilter();
  FLstMsgs->HideEditor(false);
  HideTip();
  FLstMsgs->ItemsCleared();
  ResetColumnWidths();
  FNavEnabled = {};
  ClearInspectorPane();
  UpdateStatus();
  DoUpdateNav();
}

// The setter does not tell the host's menu: the host that set it knows.
void TBkOrlimoComposite::IgnoreMessagesChanged(bool Ignore) { FBtnIgnoreMessages->SetDown(Ignore); }

// ============================================================ notifications

void TBkOrlimoComposite::LstMsgsClick(bool CanInspect, bool CanMatchMethod) {
  if (OnLstMsgsClick) OnLstMsgsClick(this, CanInspect, CanMatchMethod);
}

void TBkOrlimoComposite::DoUpdateMenu() {
  if (OnUpdateMenu) OnUpdateMenu(this);
}

void TBkOrlimoComposite::DoUpdateStatus(bool HasSelection, bool NotEmpty) {
  if (OnUpdateStatus) OnUpdateStatus(this, HasSelection, NotEmpty);
}

void TBkOrlimoComposite::DoUpdateNav() {
  if (OnUpdateNav)
    OnUpdateNav(this, FNavEnabled[nvFirst], FNavEnabled[nvPrev], FNavEnabled[nvNext], FNavEnabled[nvLast]);
}

// ============================================================ rendering

RECT TBkOrlimoComposite::GetMessageRect(std::int32_t Level, const RECT& ItemRect) const {
  RECT R = ItemRect;
  R.left = ItemRect.left + ScaleDesign(Level * FIndentWidth + (FViewIcons ? 24 : 2));
  if (FViewTimeStamp) R.right -= FTimeStampWidth;
  if (FViewAppName) R.right -= FAppNameWidth;
  return R;
}

RECT TBkOrlimoComposite::GetAppRect(const RECT& MessageRect) const {
  return RECT{MessageRect.right, MessageRect.top, MessageRect.right + FAppNameWidth, MessageRect.bottom};
}

RECT TBkOrlimoComposite::GetTimeRect(const RECT& ItemRect, const RECT& MessageRect, const RECT& AppRect) const {
  return RECT{FViewAppName ? AppRect.right : MessageRect.right, ItemRect.top, ItemRect.right, ItemRect.bottom};
}

std::string TBkOrlimoComposite::CropMessage(std::string Text, int Width) {
  const auto CR = Text.find('\r');
  if (CR != std::string::npos) {
    Text.erase(CR);
    Text += "...";
  }
  TCanvas& C = FLstMsgs->GetCanvas();
  const int E = C.TextWidth("...");
  if (C.TextWidth(Text) + E <= Width) return Text;
  // The longest beginning whose width leaves room for the ellipsis: what
  // taking off the last character until it fits gives, found in one call.
  int Fit = 0;
  if (Width - E > 0 && !Text.empty()) {
    C.Realize();
    SIZE Size{};
    GetTextExtentExPointA(C.GetHandle(), Text.data(), static_cast<int>(Text.size()), Width - E, &Fit, nullptr, &Size);
  }
  Text.resize(static_cast<std::size_t>(std::clamp(Fit, 0, static_cast<int>(Text.size()))));
  return Text + "...";
}

void TBkOrlimoComposite::InitIcons() {
  static constexpr const char* Names[] = {"BKORLIMO_INFO",       "BKORLIMO_WARNING",  "BKORLIMO_ERROR",
                                          "BKORLIMO_CHECKPOINT", "BKORLIMO_OBJECT",   "BKORLIMO_STREAM",
                                          "BKORLIMO_STRINGLIST", "BKORLIMO_PROPERTY", "BKORLIMO_NOTE",
                                          "BKORLIMO_ENTER",      "BKORLIMO_EXIT"};
  static_assert(std::size(Names) == IconKindCount, "one picture per icon kind");
  for (std::size_t K = 0; K < FIcons.size(); ++K) {
    for (int V = 0; V < 2; ++V) {
      auto B = std::make_unique<TBitmap>(IconWidth, IconHeight);
      TCanvas& C = B->GetCanvas();
      C.GetBrush().SetStyle(bsSolid);
      C.GetBrush().SetColor(V == 0 ? FLstMsgs->GetColor() : clHighlight);
      C.FillRect(RECT{0, 0, IconWidth, IconHeight});
      FIcons[K][static_cast<std::size_t>(V)] = std::move(B);
    }
  }
  TBitmap Source;
  for (std::size_t K = 0; K < FIcons.size(); ++K) {
    try {
      Source.LoadFromResourceName(BkLxStr::ResourceModule(), Names[K]);
    } catch (const EResNotFound&) {
      continue;  // a missing picture leaves the plain background
    }
    HDC Src = Source.GetCanvas().GetHandle();
    for (auto& B : FIcons[K])
      TransparentCopy(B->GetCanvas().GetHandle(), 0, 0, IconWidth, IconHeight, Src, 0, 0, IconTransparentColor);
  }
}

TBitmap* TBkOrlimoComposite::Icon(std::int32_t Kind, bool Selected) {
  if (!IsIconKind(Kind)) return nullptr;
  return FIcons[static_cast<std::size_t>(Kind)][Selected ? 1 : 0].get();
}

bool TBkOrlimoComposite::UpdateAppNameWidth(std::string_view AppName) {
  int W;
  if (FLastAppNameWidth >= 0 && AppName == FLastAppName) {
    W = FLastAppNameWidth;  // messages come in runs from one client
  } else if (auto It = FAppNameWidths.find(AppName); It != FAppNameWidths.end()) {
    W = It->second;
  } else {
    TCanvas& C = FLstMsgs->GetCanvas();
    C.GetFont().Assign(FLstMsgs->GetFont());
    W = C.TextWidth(AppName);
    FAppNameWidths.emplace(std::string(AppName), W);
  }
  if (W != FLastAppNameWidth || AppName != FLastAppName) {
    FLastAppName.assign(AppName);
    FLastAppNameWidth = W;
  }
  if (FAppNameWidth >= W + 4) return false;
  FAppNameWidth = W + 8;
  return true;
}

bool TBkOrlimoComposite::UpdateTimeStampWidth() {
  if (FSampleTimeWidth < 0) {
    TCanvas& C = FLstMsgs->GetCanvas();
    C.GetFont().Assign(FLstMsgs->GetFont());
    FSampleTimeWidth = C.TextWidth(TimeStampSample);
  }
  if (FTimeStampWidth >= FSampleTimeWidth + 4) return false;
  FTimeStampWidth = FSampleTimeWidth + 8;
  return true;
}

void TBkOrlimoComposite::ResetColumnWidths() {
  FAppNameWidth = 0;
  FTimeStampWidth = 0;
}

void TBkOrlimoComposite::MeasureAllColumns() {
  ResetColumnWidths();
  UpdateTimeStampWidth();
  for (std::string_view Name : FMsgs->DistinctAppNames()) UpdateAppNameWidth(Name);
}

void TBkOrlimoComposite::UpdateItemHeight() {
  // The font's height is in pixels of the screen's DPI (fonts are made from
  // points); the list's item height is in pixels of the DPI it is laid out
  // for so far, and scales with it (before it is first shown, 96).
  int H = ScaleBetweenDpi(GetMinFontHeight(FMsgFont) - 2, ScreenDpi(), FLstMsgs->GetCurrentDpi());
  if (FViewIcons) H = std::max(H, FLstMsgs->ScaleDesign(15));
  if (H == FLstMsgs->GetItemHeight())
    UpdateList();
  else
    FLstMsgs->SetItemHeight(H);
}

void TBkOrlimoComposite::UpdateList() { FLstMsgs->Invalidate(); }

void TBkOrlimoComposite::ReverseList() {
  FLstMsgs->BeginUpdate();
  FMsgs->Reverse();
  RestartRefilter();
  if (FFiltering)
    FShown.Rebuild(FMsgs->Count(), [this](std::int32_t P) { return FFilter->Shows(FMsgs->GetItemMsgInfo(P)); });
  FLstMsgs->ItemsReversed();
  FLstMsgs->EndUpdate();
  UpdateList();
}

void TBkOrlimoComposite::LstMsgsDrawItem(TBkVertListBox& Control, std::int32_t Index, const RECT& Rect,
                                         TOwnerDrawState State) {
  TCanvas& C = Control.GetCanvas();
  RECT Clip{};
  if (GetClipBox(C.GetHandle(), &Clip) == NULLREGION || IsRectEmpty(&Clip)) return;
  if (Index < 0 || Index >= ShownCount()) return;
  const TOrlimoMsgInfo& Info = GetItemMsgInfo(Index);
  const bool Selected = (State & odSelected) != 0;
  const std::int32_t Kind = Info.MsgType();
  const int L = Rect.left, T = Rect.top, R = Rect.right, B = Rect.bottom;

  if (Kind == lxmSeparator) {
    C.FillRect(Rect);
    C.GetPen().SetColor(Control.GetColor() == clBtnShadow ? clSilver : clBtnShadow);
    const int M = T + (B - T) / 2;
    C.MoveTo(L + 2, M);
    C.LineTo(R - 2, M);
    return;
  }
  if (Kind == lxmWakeUpSeparator) {
    C.GetBrush().SetStyle(bsSolid);
    C.GetBrush().SetColor(Selected ? clHighlight : clWindow);
    C.FillRect(Rect);
    C.GetPen().SetColor(clGray);
    C.GetBrush().SetColor(Selected ? clHighlightText : clGray);
    C.GetBrush().SetStyle(bsBDiagonal);
    C.Realize();
    SetBkMode(C.GetHandle(), TRANSPARENT);  // the hatch over the band, not over a fill
    C.Rectangle(Rect);
    C.GetBrush().SetColor(clWindow);
    C.GetBrush().SetStyle(bsSolid);
    return;
  }

  // A highlight rule paints its colours (the kind's style stays); the
  // selection is painted as selected.
  const TFilterRule* Highlight = FFiltering && !Selected ? FFilter->Highlight(Info) : nullptr;
  const TColor Back = C.GetBrush().GetColor();
  if (Highlight) C.GetBrush().SetColor(Highlight->BackColor);
  SetFontColorStyle(C.GetFont(), Kind);
  if (Selected) C.GetFont().SetColor(clHighlightText);
  if (Highlight) C.GetFont().SetColor(Highlight->TextColor);
  const RECT MsgRect = GetMessageRect(Info.IndentLevel(), Rect);
  C.TextRect(MsgRect, MsgRect.left, T, CropMessage(std::string(Info.Text()), MsgRect.right - MsgRect.left));
  C.FillRect(RECT{L, T, MsgRect.left, B});
  if (FViewIcons)
    if (TBitmap* I = Icon(Kind, Selected)) {
      // The icons' art is at 96 DPI: stretched pixel by pixel to the list's.
      const int X = L + ScaleDesign(Info.IndentLevel() * FIndentWidth + 4), Y = T + ScaleDesign(2);
      C.StretchDraw(RECT{X, Y, X + ScaleDesign(IconWidth), Y + ScaleDesign(IconHeight)}, *I);
    }
  SetFontColorStyle(C.GetFont(), -1);
  if (Selected) C.GetFont().SetColor(clHighlightText);
  if (Highlight) C.GetFont().SetColor(Highlight->TextColor);
  const RECT AppRect = GetAppRect(MsgRect);
  if (FViewAppName) C.TextRect(AppRect, AppRect.left + ScaleDesign(4), T, Info.AppName());
  if (FViewTimeStamp) {
    const RECT TimeRect = GetTimeRect(Rect, MsgRect, AppRect);
    C.Realize();
    SetTextAlign(C.GetHandle(), TA_RIGHT);
    C.TextRect(TimeRect, TimeRect.right - ScaleDesign(2), T, FMsgs->TickCountToTime(Info.TickCount()));
    SetTextAlign(C.GetHandle(), TA_LEFT);
  }
  if (Highlight) C.GetBrush().SetColor(Back);
  C.GetFont().SetColor(Selected ? clHighlightText : clWindowText);
  C.TextWidth("Yy");  // puts the font into the DC before the focus rectangle
}

void TBkOrlimoComposite::LstMsgsSizeEditRect(std::int32_t Index, RECT& EditRect) {
  EditRect.left -= 2;
  const RECT Widened = EditRect;
  if (Index >= 0 && Index < ShownCount()) EditRect = GetMessageRect(GetItemMsgInfo(Index).IndentLevel(), Widened);
  if (EditRect.left > EditRect.right) EditRect.left = Widened.left;
  if (FLstMsgs->GetItemHeight() <= 15) {
    EditRect.top -= 1;
    EditRect.bottom += 1;
  }
}

void TBkOrlimoComposite::LstMsgsShowingEditor(std::int32_t Index, bool& AllowShow) {
  if (Index < 0 || Index >= ShownCount()) {
    AllowShow = false;
    return;
  }
  const std::int32_t Kind = GetItemMsgInfo(Index).MsgType();
  if (IsSeparatorKind(Kind)) {
    AllowShow = false;
    return;
  }
  TFont F(FLstMsgs->GetFont());
  SetFontColorStyle(F, Kind);
  FLstMsgs->Editor().SetFont(F);
}

void TBkOrlimoComposite::ShowTip() {
  const std::int32_t I = FLstMsgs->GetItemIndex();
  if (I < 0 || I >= ShownCount()) return;
  if (IsSeparatorKind(GetItemMsgInfo(I).MsgType())) return;
  FTip->SetTipText(std::string(GetItemMsgInfo(I).Text()));
  FLstMsgs->FlushChanges();
  // The tip is a window of its own, outside the panel's tree: its offsets and
  // its font (8 points, made for the screen's DPI) follow the list's DPI.
  TFont TipFont(FTip->GetFont());
  TipFont.SetSize(TipFontSize);
  TipFont.SetHeight(ScaleBetweenDpi(TipFont.GetHeight(), ScreenDpi(), FLstMsgs->GetCurrentDpi()));
  if (!TipFont.SameAs(FTip->GetFont())) FTip->SetFont(TipFont);
  const RECT R = FLstMsgs->ItemRect(I);
  const int Gap = FLstMsgs->ScaleDesign(2);
  const int W = R.right - R.left - 2 * Gap;
  const int H = FTip->CalcTipHeight(W) + 2 * Gap;
  const POINT P = FLstMsgs->ClientToScreen(POINT{R.left + Gap, R.bottom + Gap});
  FTip->SetBounds(P.x, P.y, W, H);
  HWND Tip = FTip->GetHandle();
  SetWindowPos(Tip, HWND_TOP, P.x, P.y, W, H, SWP_NOACTIVATE | SWP_SHOWWINDOW);
  ::SetFocus(Tip);
  FTipVisible = true;
  SetCapture(Tip);
}

void TBkOrlimoComposite::HideTip() {
  if (!FTipVisible) return;
  FTipVisible = false;
  HWND Tip = FTip ? FTip->WindowHandle() : nullptr;
  if (Tip && GetCapture() == Tip) ReleaseCapture();
  if (Tip) ShowWindow(Tip, SW_HIDE);
  UpdateList();
  // The keyboard goes back to the list the tip was opened from, not to the
  // panel around it, so the arrow keys go on moving through the messages.
  if (FLstMsgs && FLstMsgs->CanFocus()) FLstMsgs->SetFocus();
}
