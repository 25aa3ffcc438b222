/* A C program sending one message through OrlimoClient.dll. */
#include <stdio.h>

#include "OrlimoClient.h"

int main(void) {
  if (OrlimoSend(ORLIMO_INFO, "Hello from C", NULL, NULL) == ORLIMO_FAILED) {
    fprintf(stderr, "%s\n", OrlimoLastError());
    return 1;
  }
  return 0;
}
