/* OrlimoClient: sending debug messages to the Orlimo viewer from C, and from
 * any language that calls C functions in a DLL (OrlimoClient.dll).
 *
 *   OrlimoSend(ORLIMO_INFO, "Rate table loaded", NULL, NULL);
 *   OrlimoSend(ORLIMO_OBJECT, "Customer", "Name\tAcme\r\nCity\tSpringfield", "TCustomer");
 *   if (OrlimoSend(ORLIMO_ERROR, "Division by zero", NULL, NULL) < 0) puts(OrlimoLastError());
 *
 * The functions use the standard Windows calling convention (__stdcall, the
 * default of C# DllImport; ctypes.WinDLL in Python) and single-byte text in
 * the system's code page. They may be called from any thread; the calling
 * thread waits until the viewer has handled the message.
 */
#ifndef ORLIMO_CLIENT_H
#define ORLIMO_CLIENT_H

#if defined(ORLIMO_CLIENT_EXPORTS)
#define ORLIMO_API __declspec(dllexport)
#else
#define ORLIMO_API __declspec(dllimport)
#endif
#define ORLIMO_CALL __stdcall

#ifdef __cplusplus
extern "C" {
#endif

/* Message kinds. */
#define ORLIMO_INFO 0
#define ORLIMO_WARNING 1
#define ORLIMO_ERROR 2
#define ORLIMO_CHECK_POINT 3 /* the viewer numbers it; the text is not used */
#define ORLIMO_OBJECT 4      /* details: one "name<TAB>value" line per property */
#define ORLIMO_STREAM 5      /* details: the contents as text */
#define ORLIMO_STRING_LIST 6 /* details: one line per string */
#define ORLIMO_PROPERTY 7
#define ORLIMO_NOTE 8
#define ORLIMO_ENTER_METHOD 9
#define ORLIMO_EXIT_METHOD 10
#define ORLIMO_SEPARATOR 11
#define ORLIMO_CLEAR 13       /* command: empty the list */
#define ORLIMO_SCRATCH_PAD 14 /* command: text "line@text" sets a scratch-pad line 0..99 */
#define ORLIMO_SAVE_LOG 15    /* command: text is the log file's name */

/* What OrlimoSend returns. */
#define ORLIMO_TAKEN 1     /* the viewer took the message */
#define ORLIMO_REFUSED 2   /* the viewer replied 0 (it ignores messages, or a bad command) */
#define ORLIMO_NO_VIEWER 0 /* no viewer runs and none could be started: the message is lost */
#define ORLIMO_FAILED (-1) /* see OrlimoLastError() */

/* Sends one message. Text, Details and TypeName may be NULL (empty). One
 * final CR LF of the text is not sent. When no viewer runs, the viewer is
 * started through the registry value "ExePath" (HKEY_LOCAL_MACHINE
 * "SOFTWARE\Brunelk\Orlimo\1.1"), when set. */
ORLIMO_API int ORLIMO_CALL OrlimoSend(int Kind, const char* Text, const char* Details, const char* TypeName);

/* The window that receives messages (a HWND), NULL when there is none. With
 * CanStart non-zero, a viewer is started through "ExePath" as OrlimoSend does. */
ORLIMO_API void* ORLIMO_CALL OrlimoFindViewer(int CanStart);

/* Why the last call of this thread failed; "" when it did not. Valid until the
 * thread's next call. */
ORLIMO_API const char* ORLIMO_CALL OrlimoLastError(void);

#ifdef __cplusplus
}
#endif

#endif /* ORLIMO_CLIENT_H */
