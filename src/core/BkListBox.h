// The message list control: a virtual, owner-drawn list of our own. It knows
// how many items there are and asks its owner to draw the visible ones; it
// keeps the selection (extended multi-select), the caret and the top row.
// Items live in the owner's model, reached through TBkListItems.
//
// Changes of the items arrive through ItemInserted / ItemsCleared /
// ItemsReversed / ItemsChanged. They update the selection at once but only
// mark the view dirty: the scroll bars and the picture follow from a 40 ms
// timer (FlushChanges), so a burst of messages costs one repaint.
//
// TBkEditListBox adds the in-place editor TBkPopupEdit: a slow second click
// on the selected item or F2 opens it; Enter accepts, Escape cancels, losing
// the focus accepts.
#pragma once

#include "core/BkListSel.h"

#include "platform/Controls.h"
#include "platform/Timers.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

// What the list shows: the owner's items.
class TBkListItems {
public:
  virtual ~TBkListItems() = default;
  virtual std::int32_t Count() const = 0;
  virtual std::string GetString(std::int32_t Index) const = 0;
  virtual void SetString(std::int32_t Index, std::string_view Text) = 0;
  // Deletes every item for which IsDeleted(position) holds, in one pass.
  virtual void DeleteWhere(const std::function<bool(std::int32_t)>& IsDeleted) = 0;
};

enum TOwnerDrawStateFlag : unsigned { odSelected = 1, odFocused = 2 };
using TOwnerDrawState = unsigned;

class TBkVertListBox;
using TDrawItemEvent =
    std::function<void(TBkVertListBox& Control, std::int32_t Index, const RECT& Rect, TOwnerDrawState State)>;

class TBkVertListBox : public TCustomControl {
public:
  static constexpr int HorizontalExtent = 2048;
  static constexpr unsigned RepaintInterval = 40;  // ms between coalesced repaints

  explicit TBkVertListBox(TComponent* AOwner);
  ~TBkVertListBox() override;

  void SetItems(TBkListItems* Items);
  TBkListItems* GetItems() const { return FItems; }
  std::int32_t Count() const { return FSel.Count(); }
  std::string GetItemString(std::int32_t Index) const;

  // --- item changes (from the owner's model) ----------------------------------
  virtual void ItemInserted(std::int32_t Position);
  void ItemsCleared();
  void ItemsReversed();
  // The items changed in a way the list cannot follow: keep what fits.
  void ItemsChanged();
  // Deletes the selected items through TBkListItems::DeleteWhere.
  void DeleteSelectedItems();

  // --- selection ---------------------------------------------------------------
  bool GetMultiSelect() const { return FMultiSelect; }
  void SetMultiSelect(bool Value) { FMultiSelect = Value; }
  bool GetSelected(std::int32_t Index) const { return FSel.Selected(Index); }
  void SetSelected(std::int32_t Index, bool Value);
  std::int32_t GetSelCount() const { return FSel.SelCount(); }
  void SelectAll();
  void ClearSelection();
  // The current item: the caret of a multi-select list, -1 when empty (a
  // single-select list may also have none).
  std::int32_t GetItemIndex() const;
  void SetItemIndex(std::int32_t Value);
  std::int32_t GetCaretIndex() const { return FSel.Caret(); }
  void SetCaretIndex(std::int32_t Value);
  std::int32_t GetTopIndex() const { return FSel.TopIndex(); }
  void SetTopIndex(std::int32_t Value);
  const TBkListSelection& Selection() const { return FSel; }

  // --- geometry -----------------------------------------------------------------
  int GetItemHeight() const { return FItemHeight; }
  void SetItemHeight(int Value);
  RECT ItemRect(std::int32_t Index);
  // The item under a client point, -1 when none.
  std::int32_t ItemAtPos(POINT P);
  // Rows that fit the client area whole (at least 1).
  std::int32_t PageRows();
  int GetHorzPos() const { return FHorzPos; }
  void SetHorzPos(int Value);

  // Holds back repaints while items change in bulk.
  void BeginUpdate();
  void EndUpdate();

  // Marks the view dirty (picture and scroll bars) for the next flush.
  void MarkDirty();
  bool Dirty() const { return FDirty || FScrollDirty; }
  // Brings scroll bars and picture up to date now (when dirty).
  void FlushChanges();
  // What the repaint timer runs every RepaintInterval ms: FlushChanges, except
  // that while items keep arriving out of sight (only the scroll bar would
  // change) the scroll bar follows every ScrollBarTicks ticks, and at once
  // when a tick finds no new change. Returns whether it flushed.
  bool RepaintTimerTick();
  static constexpr int ScrollBarTicks = 5;

  TDrawItemEvent OnDrawItem;
  TNotifyEvent OnHScroll;
  // After a flush brought the scroll bars and the picture up to date: what
  // shows the number of items follows at this rate, not per item.
  TNotifyEvent OnFlushed;
  // At every tick of the repaint timer, before the repaint; while it returns
  // true the timer keeps running when nothing is left to paint.
  std::function<bool()> OnTick;

  void WndProc(TMessage& Message) override;

protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  // The item height follows the DPI; the items, the selection and the top
  // item stay.
  void DpiChanged(int FromDpi, int ToDpi) override {
    TCustomControl::DpiChanged(FromDpi, ToDpi);
    SetItemHeight(FScaledItemHeight.Rescale(FItemHeight, FromDpi, ToDpi));
  }
  void Paint(TCanvas& Canvas) override;
  bool EraseBackground(HDC DC) override;
  LRESULT DialogCode(WPARAM Key) override;
  void KeyDown(WORD& Key, TShiftState Shift) override;
  void Resize() override;

  // The standard handling of mouse and scroll messages (derived lists add theirs around).
  void StdLButtonDown(TMessage& Message, bool Double);
  void StdMouseMove(TMessage& Message);
  void StdLButtonUp(TMessage& Message);
  void StdHScroll(TMessage& Message);
  void StdVScroll(TMessage& Message);
  // Draws one item; the default draws its string.
  virtual void DrawItem(std::int32_t Index, const RECT& Rect, TOwnerDrawState State);
  // After a user action changed the selection or the caret.
  void SelectionChangedByUser();
  // After a flush that moved the picture.
  virtual void PictureMoved() {}

  void UpdateScrollBars();
  void ScrollToCaret();
  void SyncCount();
  // Only the scroll bars need the next flush (items changed out of sight).
  void MarkScrollDirty();
  void StartRepaintTimer();

  TBkListItems* FItems = nullptr;
  TBkListSelection FSel;
  bool FMultiSelect = true;
  std::int32_t FSingleIndex = -1;  // the item index of a single-select list
  int FItemHeight = 16;
  TDpiScaledValue FScaledItemHeight;
  int FHorzPos = 0;
  int FUpdateCount = 0;
  bool FDirty = false;        // the picture
  bool FScrollDirty = false;  // the scroll bars
  bool FChangedSinceTick = false;
  int FScrollWaits = 0;
  SCROLLINFO FLastVert{};  // what the scroll bars were last given
  SCROLLINFO FLastHorz{};
  bool FDragging = false;
  std::unique_ptr<TTimer> FRepaintTimer;
};

class TBkEditListBox;

// The in-place editor: a single-line edit over the item being edited.
class TBkPopupEdit : public TWinControl {
public:
  explicit TBkPopupEdit(TBkEditListBox& OwnerList);
  bool WantsShortCut(WORD Key, TShiftState Shift) override;
  void WndProc(TMessage& Message) override;

protected:
  void CreateParams(TCreateParams& Params) override;
  LRESULT DialogCode(WPARAM Key) override;

private:
  TBkEditListBox& FOwnerList;
};

using TBkSizeEditRectEvent = std::function<void(TObject* Sender, std::int32_t Index, RECT& EditRect)>;
using TBkShowingEditorEvent = std::function<void(TObject* Sender, std::int32_t Index, bool& AllowShow)>;

class TBkEditListBox : public TBkVertListBox {
public:
  static constexpr unsigned EditDelay = 400;  // ms from the second click to the editor

  explicit TBkEditListBox(TComponent* AOwner);
  ~TBkEditListBox() override;

  bool GetAllowEdit() const { return FAllowEdit; }
  void SetAllowEdit(bool Value) { FAllowEdit = Value; }
  bool GetAllowDeleteByKbd() const { return FAllowDeleteByKbd; }
  void SetAllowDeleteByKbd(bool Value) { FAllowDeleteByKbd = Value; }
  bool GetPopupVisible() const { return FPopupVisible; }
  std::int32_t GetEditIndex() const { return FEditIndex; }

  void ShowEditor();
  void HideEditor(bool Accept);
  // A message inserted above the item being edited moves the edit along.
  void ItemInserted(std::int32_t Position) override;
  void DeleteSelected();

  TBkPopupEdit& Editor() { return *FEditor; }
  TTimer& EditTimer() { return *FEditTimer; }
  // What FEditTimer runs.
  void EditTimerTimer();

  TNotifyEvent OnDeleteItems;
  TBkSizeEditRectEvent OnSizeEditRect;
  TBkShowingEditorEvent OnShowingEditor;
  TNotifyEvent OnHidingEditor;

  void WndProc(TMessage& Message) override;

protected:
  void KeyDown(WORD& Key, TShiftState Shift) override;
  void PictureMoved() override;

private:
  void PlaceEditor();
  bool FEditorMoved = false;
  TBkPopupEdit* FEditor = nullptr;  // owned through the component tree
  std::unique_ptr<TTimer> FEditTimer;
  bool FAllowEdit = true;
  bool FAllowDeleteByKbd = false;
  bool FPopupVisible = false;
  std::int32_t FEditIndex = -1;
  std::int32_t FLastIndex = -1;
  bool FJustFocused = false;
  bool FClickedAgain = false;
  bool FDblClicked = false;
};
