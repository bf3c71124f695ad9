/* pulsepost: G-code post-processor for four-axis pulse-driven CNC machines.
 *
 * One call of p() converts one part program into the files the controller plays back, beside
 * the program: NAME.CM (pulse stream), NAME.BRK (break stream), NAME.LIM (bounds) and NAME.EV
 * (output events), plus timeMem.txt in the current directory. The machine configuration is read
 * from ZORVAN.CFG and params.cfg in configDir; missing files are created with the defaults.
 *
 * p() is not re-entrant: the library keeps the running conversion in process-wide state, so a
 * call made while another runs (from another thread or from the progress callback) is refused.
 */
#ifndef PULSEPOST_PULSEPOST_H
#define PULSEPOST_PULSEPOST_H

#include <stdint.h>

#if defined(_WIN32)
#define PULSEPOST_CALL __stdcall
#else
#define PULSEPOST_CALL
#endif

#if defined(PULSEPOST_BUILDING_LIBRARY)
#if defined(_WIN32)
#define PULSEPOST_API __declspec(dllexport)
#else
#define PULSEPOST_API __attribute__((visibility("default")))
#endif
#else
#define PULSEPOST_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* Receives progress: stage 0..5 in increasing order, percent 0..100 (each completed stage ends
 * with 100). Called on the caller's thread from inside p(); it must not call p() again. */
typedef void(PULSEPOST_CALL* PulsepostProgress)(int32_t stage, int32_t percent);

/* Converts the part program at programPath (at most 255 characters) with the configuration in
 * configDir (no trailing separator). Returns 0 when the conversion completed, when the program
 * holds no feed move, or when Esc aborted it during stages 3 to 5; -1 when Esc aborted it during
 * stages 0 to 2 or the conversion was refused (the message sink tells why). */
PULSEPOST_API int32_t PULSEPOST_CALL p(const char* programPath, PulsepostProgress progress,
                                       const char* configDir);

/* Receives the library's messages: a code and a text. Codes 1 to 6: a record store could not
 * grow (the conversion is refused); 7: a file could not be opened (for a configuration file the
 * defaults are used and the conversion goes on); 8: the conversion was refused, the text names
 * the reason and, where there is one, the program line; 9: an output file could not be written
 * completely; 10: a notice, the conversion goes on (a damaged ZORVAN.CFG was replaced by the
 * defaults and kept as ZORVAN.CFG.bak).
 *
 * Code 11 (PULSEPOST_MESSAGE_WARNING): a diagnostic. The dialect rejects no word; what it did not
 * execute as written is reported once per kind when the program has been read, as
 * "line N: WORD: what happened (K times)" (N the first line of the kind, K its count), and a
 * program with words that moves nothing as "no motion: reason". The kinds: G and M codes without
 * a meaning here; lower-case letters; # parameters and [ ] expressions; O, L, B, C, D, E, H and U
 * words; a dwell whose time is not right after the G4; a letter without a number read as 0 (the
 * A of WAITFORON or AT); F words ignored by the option bits; words for an axis with 0 pulses per
 * unit; G20/G21 while the machine's unit is undeclared, and the lengths they scale when it is
 * declared; lines in the G73 mode (no hole drilled); cycles drilled along Z to machine heights in
 * the G18/G19 plane, in G91 or under a G92 Z offset; G codes with a fraction read as their whole
 * number (G92.1 as G92); and the readings that differ from the controller's own (text after ;,
 * lines after M2/M30, R arcs, G91.1, full circles, arcs that move A). The G and M kinds name every
 * distinct code after their text (up to twelve). Warnings never change the result of p() or the
 * files it writes. */
#define PULSEPOST_MESSAGE_WARNING 11
typedef void (*PulsepostMessageSink)(int32_t code, const char* text);

#if !defined(_WIN32)
/* Installs the sink for the library's messages (NULL restores the silent default). The Windows
 * library exports p alone; there the messages are discarded. */
PULSEPOST_API void pulsepost_set_message_sink(PulsepostMessageSink sink);

/* Reads the scale of the pulse streams from configDir's ZORVAN.CFG without creating or changing
 * any file: the pulses per unit of X, Y, Z and A into stepsPerUnit, and the X/Y swap (non-zero:
 * motor outputs 0 and 1 carry Y and X) into swapXY. Returns 0 when the file was read; -1 when it
 * is missing or damaged, and then the built-in defaults, which a conversion would have written,
 * are given. Must not be called while p() runs. Not in the Windows library. */
/* Reads the part program at programPath as p() would with configDir's ZORVAN.CFG and the unit
 * of its params.cfg (read, never written; the defaults when missing) and writes no file: the
 * program's diagnostics (code 11) and any refusal reach the message sink. Returns 0 when the
 * program was read, -1 when it could not be opened or a line was refused. Must not be called while
 * p() runs. Not in the Windows library. */
PULSEPOST_API int32_t pulsepost_check_program(const char* programPath, const char* configDir);

PULSEPOST_API int32_t pulsepost_read_scale(const char* configDir, double stepsPerUnit[4],
                                           int32_t* swapXY);

/* Asks the running conversion to end as Esc on the console would, at its next progress check
 * (about a hundred per stage): -1 in stages 0 to 2, 0 with the streams as they stand in stages
 * 3 to 5. Safe to call from a signal handler (it only sets a flag); the request is dropped when
 * the next conversion starts. Not in the Windows library. */
PULSEPOST_API void pulsepost_request_abort(void);

/* Declares the machine's unit for the conversions this process makes from now on, in place of
 * the optional fifth line of configDir's params.cfg: "in" or "mm"; NULL or "" returns to the
 * file's declaration. With a unit declared, G20 (inches) and G21 (millimetres) scale the
 * program's lengths and feeds to it; without one they change nothing and are reported. Returns 0,
 * or -1 for any other text or while p() runs (nothing changes then). Not in the Windows
 * library. */
PULSEPOST_API int32_t pulsepost_declare_unit(const char* unit);

/* The library's version, "MAJOR.MINOR.PATCH" (a static string). On Windows the DLL carries it
 * in its version resource instead. */
PULSEPOST_API const char* pulsepost_version(void);

/* Reads what the machine can follow from configDir's ZORVAN.CFG, as pulsepost_read_scale does:
 * the highest of its four speeds (rapid, rapid Z, feed, plunge) in units per second into
 * topSpeed, and its acceleration in units per second squared into acceleration. Same results. */
PULSEPOST_API int32_t pulsepost_read_motion_limits(const char* configDir, double* topSpeed,
                                                   double* acceleration);
#endif

#ifdef __cplusplus
}
#endif

#endif /* PULSEPOST_PULSEPOST_H */
