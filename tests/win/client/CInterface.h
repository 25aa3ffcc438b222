/* Calls of the C interface made from C (CInterface.c). */
#ifndef ORLIMO_CINTERFACE_TEST_H
#define ORLIMO_CINTERFACE_TEST_H

#ifdef __cplusplus
extern "C" {
#endif

int CSendEveryArgument(void);
int CSendNulls(void);
int CSendCommand(int Kind, const char* Text);
void* CFindViewer(int CanStart);
const char* CLastError(void);

#ifdef __cplusplus
}
#endif

#endif
