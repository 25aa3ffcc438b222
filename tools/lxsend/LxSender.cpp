#include "lxsend/LxSender.h"

#include <array>
#include <cstdio>

#include "model/OrlimoMsg.h"
#include "model/OrlimoRecord.h"

HWND LxFindTarget(TLxTarget Target) {
  if (Target != TLxTarget::Main) {
    if (HWND W = FindWindowA(LxSatelliteClassName, LxSatelliteCaption)) return W;
    if (Target == TLxTarget::Satellite) return nullptr;
  }
  return FindWindowA(LxMainClassName, LxMainCaption);
}

TLxSendResult LxSendRecord(TLxTarget Target, std::int32_t Kind, const std::string& Record) {
  return BkLxSendRecordTo(LxFindTarget(Target), Kind, Record);
}

TLxSendResult LxSendRecordTo(HWND W, std::int32_t Kind, const std::string& Record) {
  return BkLxSendRecordTo(W, Kind, Record);
}

namespace {

constexpr std::array<const char*, 16> KindNames = {
    "info", "warning", "error", "checkpoint", "object", "stream", "stringlist", "property",
    "note", "enter",   "exit",  "separator",  "wakeup", "clear",  "scratchpad", "savelog"};

}  // namespace

bool LxParseKind(std::string_view Text, std::int32_t& Kind) {
  for (std::size_t I = 0; I < KindNames.size(); ++I) {
    if (Text == KindNames[I]) {
      Kind = static_cast<std::int32_t>(I);
      return true;
    }
  }
  if (Text.empty()) return false;
  std::size_t I = Text[0] == '-' ? 1 : 0;
  if (I == Text.size()) return false;
  long long V = 0;
  for (; I < Text.size(); ++I) {
    if (Text[I] < '0' || Text[I] > '9') return false;
    V = V * 10 + (Text[I] - '0');
    if (V > 2147483648LL) return false;
  }
  if (Text[0] == '-') V = -V;
  if (V > 2147483647LL || V < -2147483648LL) return false;
  Kind = static_cast<std::int32_t>(V);
  return true;
}

std::string LxKindName(std::int32_t Kind) {
  if (Kind >= 0 && Kind < static_cast<std::int32_t>(KindNames.size())) return KindNames[static_cast<std::size_t>(Kind)];
  return std::to_string(Kind);
}

std::string LxUnescape(std::string_view Text) {
  std::string Out;
  Out.reserve(Text.size());
  for (std::size_t I = 0; I < Text.size(); ++I) {
    if (Text[I] == '\\' && I + 1 < Text.size()) {
      const char C = Text[I + 1];
      const char R = C == 'n' ? '\n' : C == 'r' ? '\r' : C == 't' ? '\t' : C == '\\' ? '\\' : '\0';
      if (R) {
        Out += R;
        ++I;
        continue;
      }
    }
    Out += Text[I];
  }
  return Out;
}

std::vector<TLxMessage> LxDemoStream(std::int32_t StartTick) {
  std::vector<TLxMessage> S;
  auto Tick = static_cast<std::uint32_t>(StartTick);
  auto Add = [&](std::int32_t Kind, std::string Text, std::uint32_t Delay, std::string Details = {},
                 std::string App = "InvoiceDemo", std::string Type = {}) {
    Tick += Delay;
    S.push_back(
        {Kind, static_cast<std::int32_t>(Tick), std::move(Text), std::move(Details), std::move(App), std::move(Type)});
  };
  Add(lxmClear, "", 0);
  Add(lxmInfo, "InvoiceDemo 2.4 started", 0);
  Add(lxmEnterMethod, "TInvoiceForm.FormCreate", 12);
  Add(lxmInfo, "Connecting to the customer database", 3);
  Add(lxmEnterMethod, "TCustomerList.LoadFromDatabase", 8);
  Add(lxmProperty, "CustomerCount = 42", 147, {}, "InvoiceDemo", "Integer");
  Add(lxmStringList, "Customers (first 5)", 2,
      "Acme Ltd\r\nBlue Harbour Trading\r\nCarver & Sons\r\nDelta Freight\r\nEastwood Mills", "InvoiceDemo",
      "TStringList");
  Add(lxmExitMethod, "TCustomerList.LoadFromDatabase", 1);
  Add(lxmObject, "Customer: Acme Ltd", 5,
      "Name\tAcme Ltd\r\nCity\tSpringfield\r\nCreditLimit\t25000.00\r\nBalance\t1834.50\r\nActive\tTrue", "InvoiceDemo",
      "TCustomer");
  Add(lxmExitMethod, "TInvoiceForm.FormCreate", 4);
  Add(lxmCheckPoint, "", 220);
  Add(lxmWarning, "Printer \"Accounts\" not ready, retrying in 5 s", 310);
  Add(lxmStream, "Invoice header (32 bytes)", 40,
      "00000000  49 4E 56 2D 32 30 32 34  2D 30 30 31 37 00 00 00  INV-2024-0017...\r\n"
      "00000010  2A 00 00 00 E8 03 00 00  9A 99 99 99 99 D9 9C 40  *..............@",
      "InvoiceDemo", "TMemoryStream");
  Add(lxmSeparator, "", 15);
  Add(lxmEnterMethod, "TInvoice.CalcTax", 90);
  Add(lxmError, "Division by zero in TInvoice.CalcTax (rate table empty)", 6, {}, "InvoiceDemo", "EZeroDivide");
  Add(lxmExitMethod, "TInvoice.CalcTax", 1);
  Add(lxmNote, "Tax rates are loaded lazily: check TTaxTable.Load", 30);
  Add(lxmWakeUpSeparator, "", 12000);
  Add(lxmInfo, "Report queued: Monthly sales", 18, {}, "ReportServer");
  Add(lxmEnterMethod, "TReportQueue.Run", 25, {}, "ReportServer");
  Add(lxmProperty, "Pages = 12", 480, {}, "ReportServer", "Integer");
  Add(lxmExitMethod, "TReportQueue.Run", 3, {}, "ReportServer");
  Add(lxmCheckPoint, "", 70, {}, "ReportServer");
  Add(lxmInfo, "InvoiceDemo closing", 640);
  Add(lxmScratchPad, "0@Orlimo demonstration", 0);
  Add(lxmScratchPad, "1@Customers loaded: 42", 0);
  Add(lxmScratchPad, "2@Last error: Division by zero", 0);
  return S;
}

std::vector<TLxMessage> LxMessagesFromLog(std::string_view Bytes) {
  std::vector<TLxMessage> Out;
  std::size_t Offset = 0;
  while (Offset < Bytes.size()) {
    TOrlimoRecord R;
    if (DecodeRecord(Bytes.data() + Offset, Bytes.size() - Offset, R) != TRecordStatus::Ok) break;
    Out.push_back({R.Kind, R.TickCount, std::string(R.Text), std::string(R.Details), std::string(R.AppName),
                   std::string(R.TypeName)});
    Offset += R.Size;
  }
  return Out;
}
