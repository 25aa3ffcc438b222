// A small program that tells Orlimo what it does: it "loads" a few orders,
// and the viewer shows the method calls nested, an order as an object with
// its properties, a check point, a counter on the scratch pad and the lines
// written to SenderText. When no viewer runs, the sender starts the one the
// registry names (HKEY_LOCAL_MACHINE "SOFTWARE\Brunelk\Orlimo\1.1" "ExePath").
#include <iomanip>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "BkLxIntf.h"

namespace {

struct TOrder {
  int Number;
  std::string Customer;
  double Amount;
};

std::string Money(double Value) {
  std::ostringstream S;
  S << std::fixed << std::setprecision(2) << Value;
  return S.str();
}

double CheckOrder(const TOrder& Order) {
  Orlimo::TMethod Scope("TOrderList.CheckOrder");  // the exit is sent also when this throws
  if (Order.Amount < 0) throw std::invalid_argument("order " + std::to_string(Order.Number) + " has a negative amount");
  Orlimo::Object(
      "Order " + std::to_string(Order.Number),
      {{"Number", std::to_string(Order.Number)}, {"Customer", Order.Customer}, {"Amount", Money(Order.Amount)}},
      "TOrder");
  return Order.Amount;
}

void LoadOrders(const std::vector<TOrder>& Orders) {
  Orlimo::TMethod Scope("TOrderList.LoadOrders");
  double Total = 0;
  int Checked = 0;
  for (const TOrder& Order : Orders) {
    try {
      Total += CheckOrder(Order);
      Orlimo::ScratchPad(0, "Orders checked: " + std::to_string(++Checked));
    } catch (const std::exception& E) {
      Orlimo::Error(E.what(), "EInvalidArgument");
    }
  }
  Orlimo::CheckPoint();
  SenderText << "Orders: " << Orders.size() << ", accepted: " << Checked << std::endl;
  SenderText << "Total: " << Money(Total) << std::endl;
}

}  // namespace

int main() {
  Orlimo::Separator();
  Orlimo::Info("ClientExample started");
  LoadOrders({{1001, "Acme Ltd", 250.00}, {1002, "Blue Harbour Trading", 1200.50}, {1003, "Carver & Sons", -5.00}});
  Orlimo::Warning("Printer not configured: no report printed");
  Orlimo::StringList("Customers", {"Acme Ltd", "Blue Harbour Trading", "Carver & Sons"});
  Orlimo::Info("ClientExample finished");
  return 0;
}
