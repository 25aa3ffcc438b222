/* The C interface as a C program uses it: this file is compiled as C and
 * linked with OrlimoClient.dll's import library. */
#include <stddef.h>

#include "CInterface.h"
#include "OrlimoClient.h"

int CSendEveryArgument(void) {
  return OrlimoSend(ORLIMO_OBJECT, "Customer\r\n", "Name\tAcme\r\nCity\tSpringfield", "TCustomer");
}

int CSendNulls(void) { return OrlimoSend(ORLIMO_INFO, NULL, NULL, NULL); }

int CSendCommand(int Kind, const char* Text) { return OrlimoSend(Kind, Text, NULL, NULL); }

void* CFindViewer(int CanStart) { return OrlimoFindViewer(CanStart); }

const char* CLastError(void) { return OrlimoLastError(); }
