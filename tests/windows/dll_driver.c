// SPDX-License-Identifier: Apache-2.0
/* Drives Tarnwick and U25Ferrow the way a Windows program does: loads each library by the name
 * given, finds every export by name and by ordinal (from the module-definition files), calls
 * the encoder functions and, through the function table, every formula function over a seeded
 * corpus from 8 threads, then unloads the libraries while a thread that used them still runs.
 * It prints one line per call and nothing that depends on the platform, so the output of the
 * Windows build (LoadLibrary) and of the Linux build (dlopen) must be byte for byte the same.
 *
 *   dll_driver TARNWICK U25FERROW TARNWICK_DEF U25FERROW_DEF > calls.txt
 */
#include "Tarnwick.h"
#include "ufl_engine.h"

#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>
typedef HMODULE library;
typedef HANDLE thread_handle;
static library openLibrary(const char* name) { return LoadLibraryA(name); }
static void closeLibrary(library l) { FreeLibrary(l); }
static void* byName(library l, const char* name) { return (void*)GetProcAddress(l, name); }
static void* byOrdinal(library l, int ordinal, const char* name)
{
    (void)name;
    return (void*)GetProcAddress(l, MAKEINTRESOURCEA(ordinal));
}
static void pause1ms(void) { Sleep(1); }
typedef DWORD(WINAPI* thread_body)(void*);
#define THREAD_BODY(name) static DWORD WINAPI name(void* arg)
#define THREAD_RETURN return 0
static thread_handle startThread(thread_body body, void* arg) { return CreateThread(NULL, 0, body, arg, 0, NULL); }
static void joinThread(thread_handle t)
{
    WaitForSingleObject(t, INFINITE);
    CloseHandle(t);
}
static void binaryOutput(void) { _setmode(_fileno(stdout), _O_BINARY); }
#else
#include <dlfcn.h>
#include <pthread.h>
#include <time.h>
typedef void* library;
typedef pthread_t thread_handle;
static library openLibrary(const char* name) { return dlopen(name, RTLD_NOW | RTLD_LOCAL); }
static void closeLibrary(library l) { dlclose(l); }
static void* byName(library l, const char* name) { return dlsym(l, name); }
/* ELF has no ordinals: the module-definition file's number stands for the name. */
static void* byOrdinal(library l, int ordinal, const char* name)
{
    (void)ordinal;
    return dlsym(l, name);
}
static void pause1ms(void)
{
    const struct timespec t = {0, 1000000};
    nanosleep(&t, NULL);
}
typedef void* (*thread_body)(void*);
#define THREAD_BODY(name) static void* name(void* arg)
#define THREAD_RETURN return NULL
static thread_handle startThread(thread_body body, void* arg)
{
    pthread_t t;
    return pthread_create(&t, NULL, body, arg) == 0 ? t : 0;
}
static void joinThread(thread_handle t) { pthread_join(t, NULL); }
static void binaryOutput(void) {}
#endif

enum { threadCount = 8, casesPerKind = 240, lineCapacity = 8192, bigBuffer = 4096 };

typedef int(TARNWICK_CALL* text_fn)(const char*, char*, int32_t);
typedef int(TARNWICK_CALL* expanded_fn)(const char*, int32_t, char*, int32_t);
typedef int(TARNWICK_CALL* mod10_fn)(const char*);
typedef int(TARNWICK_CALL* last_error_fn)(char*, int32_t);
typedef int32_t(UFL_CALL* initialize_fn)(uint32_t);
typedef uint16_t(UFL_CALL* version_fn)(void);
typedef int32_t(UFL_CALL* terminate_fn)(void);
typedef const ufl_list_header*(UFL_CALL* list_fn)(void);
typedef const char*(UFL_CALL* recovery_fn)(ufl_param_block*, ufl_job_info*);
typedef void(UFL_CALL* job_fn)(ufl_job_info*);

/* The exports of both libraries, found once. */
typedef struct exports {
    text_fn text[6]; /* Code128_Uni, EAN128_Uni, DataBar14, DataBarLimited, DataBarStacked, DataBarStackedOmni */
    expanded_fn expanded;
    mod10_fn mod10;
    last_error_fn lastError;
    const TarnwickVersion* version;
    const ufl_function_def* table;
    recovery_fn recovery;
} exports;

static const char* const textNames[6] = {"Code128_Uni",    "EAN128_Uni",     "DataBar14",
                                         "DataBarLimited", "DataBarStacked", "DataBarStackedOmni"};

/* ---- Output: every call's line goes to its slot, printed in order at the end ---------- */

typedef struct text {
    char* data;
    size_t length;
    size_t capacity;
} text;

static void appendBytes(text* t, const char* s, size_t n)
{
    if (t->length + n + 1 > t->capacity) {
        t->capacity = (t->length + n + 1) * 2;
        t->data = realloc(t->data, t->capacity);
        if (t->data == NULL)
            abort();
    }
    memcpy(t->data + t->length, s, n);
    t->length += n;
    t->data[t->length] = '\0';
}

static void append(text* t, const char* s) { appendBytes(t, s, strlen(s)); }

static void appendNumber(text* t, long long v)
{
    char n[32];
    snprintf(n, sizeof n, "%lld", v);
    append(t, n);
}

/* Bytes outside printable ASCII, and the backslash, as \xNN. */
static void appendEscaped(text* t, const char* s, size_t n)
{
    for (size_t i = 0; i < n; ++i) {
        const unsigned char c = (unsigned char)s[i];
        char hex[8];
        if (c >= 0x20 && c < 0x7F && c != '\\') {
            appendBytes(t, (const char*)&c, 1);
        } else {
            snprintf(hex, sizeof hex, "\\x%02X", c);
            append(t, hex);
        }
    }
}

/* ---- Seeded corpus (splitmix64: the same numbers everywhere) --------------------------- */

static uint64_t nextRandom(uint64_t* state)
{
    uint64_t z = (*state += 0x9E3779B97F4A7C15u);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9u;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBu;
    return z ^ (z >> 31);
}

static int below(uint64_t* state, int n) { return (int)(nextRandom(state) % (uint64_t)n); }

static void digits(uint64_t* r, char* out, int n)
{
    for (int i = 0; i < n; ++i)
        out[i] = (char)('0' + below(r, 10));
    out[n] = '\0';
}

static void gtinInput(uint64_t* r, char* out)
{
    static const int lengths[] = {0, 7, 12, 13, 13, 13, 14, 14, 15};
    digits(r, out, lengths[below(r, 9)]);
    const size_t n = strlen(out);
    if (n > 0 && below(r, 100) < 10)
        out[below(r, (int)n)] = (char)('A' + below(r, 26));
    if (below(r, 100) < 5)
        strcat(out, "\xE9");
}

static void code128Input(uint64_t* r, char* out)
{
    static const char* const pieces[] = {"~1", "~2", "~d013", "~d255", "~", "~~", "12", "3456", "AB", "ab",
                                         "\t", " ", "\xFC", "999999", "x"};
    out[0] = '\0';
    const int count = below(r, 12);
    for (int i = 0; i < count; ++i)
        strcat(out, pieces[below(r, 15)]);
}

static void elementInput(uint64_t* r, char* out)
{
    static const char* const ais[] = {"(01)", "(10)", "(17)", "(21)", "(3103)", "(00)", "(400)", "(99)", "(7)"};
    char data[64];
    out[0] = '\0';
    const int count = 1 + below(r, 4);
    for (int i = 0; i < count; ++i) {
        const char* ai = ais[below(r, 9)];
        strcat(out, ai);
        if (strcmp(ai, "(01)") == 0)
            digits(r, data, 13 + below(r, 2));
        else if (strcmp(ai, "(00)") == 0)
            digits(r, data, 17 + below(r, 2));
        else if (strcmp(ai, "(17)") == 0 || strcmp(ai, "(3103)") == 0)
            digits(r, data, 6);
        else {
            const int n = below(r, 22);
            for (int k = 0; k < n; ++k)
                data[k] = "0123456789ABCXYZabc-./%"[below(r, 23)];
            data[n] = '\0';
        }
        strcat(out, data);
    }
}

static void mod10Input(uint64_t* r, char* out)
{
    digits(r, out, below(r, 30));
    if (out[0] != '\0' && below(r, 100) < 10)
        out[0] = 'Z';
}

/* ---- Tarnwick -------------------------------------------------------------------------- */

/* One call into a buffer of `size` bytes with a guard after it; the result, what it wrote
 * and the thread's last diagnostic. */
static void tarnwickCall(const exports* x, text* out, int kind, const char* input, int32_t segments, int32_t size)
{
    static char guardBytes[16] = "GUARDGUARDGUARD";
    const size_t room = size > 0 ? (size_t)size : 0;
    char* buffer = malloc(room + sizeof guardBytes);
    memset(buffer, 0x7E, room);
    memcpy(buffer + room, guardBytes, sizeof guardBytes);
    const int result = kind < 6 ? x->text[kind](input, buffer, size) : x->expanded(input, segments, buffer, size);
    append(out, kind < 6 ? textNames[kind] : "DataBarExpanded");
    append(out, "\t");
    appendEscaped(out, input, strlen(input));
    if (kind == 6) {
        append(out, "\t");
        appendNumber(out, segments);
    }
    append(out, "\t");
    appendNumber(out, size);
    append(out, "\t");
    appendNumber(out, result);
    append(out, "\t");
    if (result > 0)
        appendEscaped(out, buffer, strlen(buffer) == (size_t)result ? (size_t)result : 0);
    if (memcmp(buffer + room, guardBytes, sizeof guardBytes) != 0)
        append(out, "\tOVERRUN");
    if (result <= 0) {
        char diagnostic[600];
        const int n = x->lastError(diagnostic, (int32_t)sizeof diagnostic);
        append(out, "\t");
        if (n > 0)
            append(out, diagnostic);
    }
    append(out, "\n");
    free(buffer);
}

/* Each input at a large buffer, at exactly the size it needs, one byte less, and one of a
 * few fixed sizes (negative and zero among them). */
static void tarnwickCase(const exports* x, text* out, int kind, const char* input, int32_t segments, uint64_t* r)
{
    static const int32_t sizes[] = {-1, 0, 1, 47, 103, 255};
    char probe[bigBuffer];
    const int n = kind < 6 ? x->text[kind](input, probe, bigBuffer) : x->expanded(input, segments, probe, bigBuffer);
    tarnwickCall(x, out, kind, input, segments, bigBuffer);
    if (n > 0) {
        tarnwickCall(x, out, kind, input, segments, n + 1);
        tarnwickCall(x, out, kind, input, segments, n);
    }
    tarnwickCall(x, out, kind, input, segments, sizes[below(r, 6)]);
}

/* ---- U25Ferrow through its function table ---------------------------------------------- */

static const ufl_function_def* tableRow(const exports* x, const char* name)
{
    for (const ufl_function_def* row = x->table; row->definition != NULL; ++row) {
        const char* space = strchr(row->definition, ' ');
        if (space != NULL && strncmp(space + 1, name, strlen(name)) == 0 &&
            (space[1 + strlen(name)] == ' ' || space[1 + strlen(name)] == '\0'))
            return row;
    }
    return NULL;
}

/* Calls formula function `name` with a String and, when `number` is not null, a Number. */
static void formulaCall(const exports* x, text* out, const char* name, const char* string, const double* number)
{
    char result[UFL_RESULT_BUFFER_SIZE + 16];
    ufl_param_element elements[2];
    ufl_param_block block;
    memset(result, 0x7E, sizeof result);
    memset(elements, 0xCD, sizeof elements);
    memset(&block, 0xCD, sizeof block);
    elements[0].next = number != NULL ? &elements[1] : NULL;
    elements[0].value.string = string;
    elements[1].next = NULL;
    if (number != NULL)
        elements[1].value.number = *number;
    block.firstParameter = string != NULL ? &elements[0] : NULL;
    block.result.string = result;
    const ufl_function_def* row = tableRow(x, name);
    const int32_t code = row->function(&block);
    append(out, name);
    append(out, "\t");
    if (string != NULL)
        appendEscaped(out, string, strlen(string));
    if (number != NULL) {
        append(out, "\t");
        appendNumber(out, (long long)*number);
    }
    append(out, "\t");
    appendNumber(out, code);
    append(out, "\t");
    if (code == 0 && strncmp(row->definition, "Number", 6) == 0)
        appendNumber(out, (long long)block.result.number);
    else if (code == 0)
        appendEscaped(out, result, strnlen(result, UFL_RESULT_BUFFER_SIZE));
    else if (code == -1)
        append(out, x->recovery(&block, NULL));
    if (result[UFL_RESULT_BUFFER_SIZE] != 0x7E)
        append(out, "\tOVERRUN");
    append(out, "\n");
}

static void expandedPieces(const exports* x, text* out, const char* input, double segments)
{
    formulaCall(x, out, "Kelbrin_DataBarExpanded", input, &segments);
    formulaCall(x, out, "Kelbrin_DataBarExpanded_Set", input, &segments);
    for (int k = 0; k < 10; ++k)
        formulaCall(x, out, "Kelbrin_DataBarExpanded_Get", NULL, NULL);
}

/* ---- The corpus, spread over the threads ------------------------------------------------ */

enum { kindCount = 8 };

typedef struct work {
    const exports* x;
    int first;     /* this thread takes cases first, first + threadCount, ... */
    text* outputs; /* one per case */
} work;

static void runCase(const exports* x, int index, text* out)
{
    static const char* const formulas[6] = {"Kelbrin_Code128_Uni",    "Kelbrin_EAN128_Uni",
                                            "Kelbrin_DataBar14",      "Kelbrin_DataBarLimited",
                                            "Kelbrin_DataBarStacked", "Kelbrin_DataBarStackedOmni"};
    static const int32_t segments[] = {-2, 0, 1, 2, 3, 4, 6, 8, 10, 22, 40};
    uint64_t r = 0x5EED0000u + (uint64_t)index;
    const int kind = index % kindCount;
    char input[1024];
    if (kind == 0)
        code128Input(&r, input);
    else if (kind == 1 || kind == 6)
        elementInput(&r, input);
    else if (kind == 7)
        mod10Input(&r, input);
    else
        gtinInput(&r, input);
    if (kind == 7) {
        append(out, "getMod10CheckDigit\t");
        appendEscaped(out, input, strlen(input));
        append(out, "\t");
        appendNumber(out, x->mod10(input));
        append(out, "\n");
        formulaCall(x, out, "Kelbrin_Mod10", input, NULL);
        return;
    }
    const int32_t s = segments[below(&r, 11)];
    tarnwickCase(x, out, kind, input, s, &r);
    if (kind < 6)
        formulaCall(x, out, formulas[kind], input, NULL);
    else
        expandedPieces(x, out, input, s * 100.0 + 50.0 * below(&r, 2));
}

THREAD_BODY(runShare)
{
    const work* w = arg;
    for (int i = w->first; i < kindCount * casesPerKind; i += threadCount)
        runCase(w->x, i, &w->outputs[i]);
    THREAD_RETURN;
}

/* ---- Loading, exports and the entry points --------------------------------------------- */

/* Every export of the module-definition file, found by name and by its ordinal: the same
 * address both ways. Returns the number of exports that are not. */
static int checkExports(library l, const char* defPath, text* out)
{
    FILE* f = fopen(defPath, "r");
    char line[256];
    int faults = 0;
    if (f == NULL) {
        append(out, "cannot read the module-definition file\n");
        return 1;
    }
    while (fgets(line, sizeof line, f) != NULL) {
        char name[128];
        int ordinal = 0;
        if (sscanf(line, " %127s @%d", name, &ordinal) != 2)
            continue;
        void* named = byName(l, name);
        const int same = named != NULL && named == byOrdinal(l, ordinal, name);
        faults += !same;
        append(out, "export\t");
        append(out, name);
        append(out, "\t@");
        appendNumber(out, ordinal);
        append(out, same ? "\tfound by name and ordinal\n" : "\tMISSING\n");
    }
    fclose(f);
    return faults;
}

static int findExports(library tarnwick, library ufl, exports* x)
{
    for (int k = 0; k < 6; ++k)
        x->text[k] = (text_fn)byName(tarnwick, textNames[k]);
    x->expanded = (expanded_fn)byName(tarnwick, "DataBarExpanded");
    x->mod10 = (mod10_fn)byName(tarnwick, "getMod10CheckDigit");
    x->lastError = (last_error_fn)byName(tarnwick, "TarnwickLastError");
    x->version = (const TarnwickVersion*)byName(tarnwick, "TarnwickVersionInfo");
    x->recovery = (recovery_fn)byName(ufl, "UFErrorRecovery");
    const list_fn table = (list_fn)byName(ufl, "UF5GetFunctionDefStrings");
    x->table = table != NULL ? (const ufl_function_def*)table()->list : NULL;
    return x->text[5] != NULL && x->expanded != NULL && x->mod10 != NULL && x->lastError != NULL &&
           x->version != NULL && x->recovery != NULL && x->table != NULL;
}

static void appendList(text* out, const char* label, const ufl_list_header* header)
{
    append(out, label);
    append(out, header->size == sizeof(ufl_list_header) ? "\theader size right\n" : "\tHEADER SIZE WRONG\n");
    for (const char* const* p = header->list; *p != NULL; ++p) {
        append(out, "\t");
        appendEscaped(out, *p, strlen(*p));
        append(out, "\n");
    }
}

/* The engine's entry points, the lists and the table, each row's function checked against
 * the export of its name. */
static void entryPoints(library ufl, const exports* x, text* out)
{
    const initialize_fn initialize = (initialize_fn)byName(ufl, "UF5Initialize");
    static const uint32_t offered[] = {0x4FF, 0x500, 0x600};
    for (int k = 0; k < 3; ++k) {
        append(out, "UF5Initialize\t");
        appendNumber(out, offered[k]);
        append(out, "\t");
        appendNumber(out, initialize(offered[k]));
        append(out, "\n");
    }
    append(out, "UFGetVersion\t");
    appendNumber(out, ((version_fn)byName(ufl, "UFGetVersion"))());
    append(out, "\n");
    appendList(out, "UFGetFunctionTemplates", ((list_fn)byName(ufl, "UFGetFunctionTemplates"))());
    appendList(out, "UFGetFunctionExamples", ((list_fn)byName(ufl, "UFGetFunctionExamples"))());
    for (const ufl_function_def* row = x->table; row->definition != NULL; ++row) {
        const char* name = strchr(row->definition, ' ') + 1;
        char exported[64];
        snprintf(exported, sizeof exported, "%.*s", (int)strcspn(name, " "), name);
        append(out, "table\t");
        append(out, row->definition);
        append(out, (void*)row->function == byName(ufl, exported) && row->reserved0 == 0 && row->reserved1 == 0
                        ? "\tthe export\n"
                        : "\tNOT THE EXPORT\n");
    }
    ((job_fn)byName(ufl, "UFStartJob"))(NULL);
    ((job_fn)byName(ufl, "UFEndJob"))(NULL);
    for (int32_t index = 0; index < 4; ++index) {
        ufl_param_block block;
        memset(&block, 0, sizeof block);
        block.result.errorIndex = index;
        append(out, "UFErrorRecovery\t");
        appendNumber(out, index);
        append(out, "\t");
        append(out, x->recovery(&block, NULL));
        append(out, "\n");
    }
}

/* The text functions called through the pointers found by ordinal. */
static void ordinalCalls(library tarnwick, text* out)
{
    char buffer[256];
    for (int k = 0; k < 6; ++k) {
        const text_fn f = (text_fn)byOrdinal(tarnwick, 10 + k, textNames[k]);
        const int n = f("0123456789012", buffer, (int32_t)sizeof buffer);
        append(out, "by ordinal\t");
        appendNumber(out, 10 + k);
        append(out, "\t");
        appendNumber(out, n);
        append(out, "\t");
        if (n > 0)
            appendEscaped(out, buffer, (size_t)n);
        append(out, "\n");
    }
    const expanded_fn e = (expanded_fn)byOrdinal(tarnwick, 16, "DataBarExpanded");
    append(out, "by ordinal\t16\t");
    appendNumber(out, e("(01)00012345678905(10)ABC123", 4, buffer, (int32_t)sizeof buffer));
    append(out, "\n");
    const mod10_fn m = (mod10_fn)byOrdinal(tarnwick, 17, "getMod10CheckDigit");
    append(out, "by ordinal\t17\t");
    appendNumber(out, m("1234567890123"));
    append(out, "\n");
}

/* ---- Unloading while a thread that used the libraries lives on --------------------------- */

typedef struct lingering {
    const exports* x;
    text out;
    volatile int used;
    volatile int release;
} lingering;

THREAD_BODY(lingeringThread)
{
    lingering* l = arg;
    formulaCall(l->x, &l->out, "Kelbrin_DataBarExpanded_Get", NULL, NULL); /* out of sequence */
    const double two = 200.0;
    formulaCall(l->x, &l->out, "Kelbrin_DataBarExpanded_Set", "(01)00012345678905(10)ABCDEFGHIJKLMNOPQRST", &two);
    formulaCall(l->x, &l->out, "Kelbrin_DataBarExpanded_Get", NULL, NULL);
    tarnwickCall(l->x, &l->out, 2, "12345", 0, 100); /* leaves a diagnostic behind */
    __atomic_store_n(&l->used, 1, __ATOMIC_SEQ_CST);
    while (!__atomic_load_n(&l->release, __ATOMIC_SEQ_CST))
        pause1ms();
    THREAD_RETURN;
}

static int loadAll(const char* tarnwickName, const char* uflName, library* tarnwick, library* ufl, exports* x)
{
    *tarnwick = openLibrary(tarnwickName);
    *ufl = openLibrary(uflName);
    if (*tarnwick == NULL || *ufl == NULL || !findExports(*tarnwick, *ufl, x)) {
        printf("cannot load the libraries\n");
        return 0;
    }
    return 1;
}

static void unloadAll(library tarnwick, library ufl)
{
    ((terminate_fn)byName(ufl, "UFTerminate"))();
    closeLibrary(ufl);
    closeLibrary(tarnwick);
}

static int unloadWhileThreadLives(const char* tarnwickName, const char* uflName)
{
    library tarnwick, ufl;
    exports x;
    if (!loadAll(tarnwickName, uflName, &tarnwick, &ufl, &x))
        return 0;
    lingering l = {&x, {NULL, 0, 0}, 0, 0};
    const thread_handle t = startThread(lingeringThread, &l);
    while (!__atomic_load_n(&l.used, __ATOMIC_SEQ_CST))
        pause1ms();
    unloadAll(tarnwick, ufl);
    __atomic_store_n(&l.release, 1, __ATOMIC_SEQ_CST);
    joinThread(t);
    fputs(l.out.data, stdout);
    printf("unloaded while a thread that used the libraries lived; the thread ended\n");
    free(l.out.data);
    return 1;
}

int main(int argc, char** argv)
{
    if (argc != 5) {
        fprintf(stderr, "usage: dll_driver TARNWICK U25FERROW TARNWICK_DEF U25FERROW_DEF\n");
        return 2;
    }
    binaryOutput();
    library tarnwick, ufl;
    exports x;
    if (!loadAll(argv[1], argv[2], &tarnwick, &ufl, &x))
        return 1;
    text head = {NULL, 0, 0};
    int faults = checkExports(tarnwick, argv[3], &head) + checkExports(ufl, argv[4], &head);
    append(&head, "TarnwickVersionInfo\t");
    append(&head, x.version->productName);
    append(&head, "\t");
    appendNumber(&head, x.version->fileVersionMS >> 16);
    append(&head, ".");
    appendNumber(&head, x.version->fileVersionMS & 0xFFFF);
    append(&head, ".");
    appendNumber(&head, x.version->fileVersionLS >> 16);
    append(&head, ".");
    appendNumber(&head, x.version->fileVersionLS & 0xFFFF);
    append(&head, "\n");
    entryPoints(ufl, &x, &head);
    ordinalCalls(tarnwick, &head);
    fputs(head.data, stdout);
    free(head.data);

    text* outputs = calloc(kindCount * casesPerKind, sizeof(text));
    work shares[threadCount];
    thread_handle threads[threadCount];
    for (int k = 0; k < threadCount; ++k) {
        shares[k] = (work){&x, k, outputs};
        threads[k] = startThread(runShare, &shares[k]);
    }
    for (int k = 0; k < threadCount; ++k)
        joinThread(threads[k]);
    for (int i = 0; i < kindCount * casesPerKind; ++i) {
        fputs(outputs[i].data, stdout);
        free(outputs[i].data);
    }
    free(outputs);
    unloadAll(tarnwick, ufl);

    if (!unloadWhileThreadLives(argv[1], argv[2]) || !unloadWhileThreadLives(argv[1], argv[2]))
        return 1;
    printf("done, %d export faults\n", faults);
    return faults == 0 ? 0 : 1;
}
