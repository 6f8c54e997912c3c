/*
 * zelkor.h - the public interface of the Zelkor MPEG audio engine.
 *
 * Zelkor decodes MPEG-1/2 audio layers I, II and III (and MPEG-2.5 layer III)
 * from pluggable inputs to pluggable outputs. Clients either drive a decoder
 * object directly (decoder_*), or start a player thread (player_new) and talk
 * to it with control messages (control_message_*).
 *
 * Conventions
 *  - Every export returns a signed 32-bit status unless stated: 0 (or a count,
 *    or an id) on success, a negative ZK_ERROR_* code on failure. Null
 *    arguments give ZK_ERROR_INVALID_PARAMETERS before anything else is done.
 *  - Records are plain C structs; modules and filters are tables of
 *    operations filled by a registration function.
 *  - PCM leaves the decoder as signed 16-bit samples in native byte order,
 *    channels interleaved left first.
 *  - Strings are zero-terminated 8-bit texts. The engine never keeps a pointer
 *    to a caller's string beyond the call; it copies what it keeps.
 *
 * The header compiles as C (C11 or later) and as C++.
 */
#ifndef ZELKOR_H
#define ZELKOR_H

#include <stddef.h>
#include <stdint.h>

#if defined(__GNUC__)
#define ZK_API __attribute__((visibility("default")))
#else
#define ZK_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* ======================================================================== */
/* Error codes and their texts                                              */
/* ======================================================================== */

enum {
    ZK_OK = 0,
    ZK_FAILURE = -1, /* generic failure without a text of its own */

    ZK_ERROR_OUT_OF_MEMORY = -100,
    ZK_ERROR_INVALID_PARAMETERS = -101,
    ZK_ERROR_INTERNAL = -102,
    ZK_ERROR_TIMEOUT = -103,

    ZK_ERROR_CONNECT_TIMED_OUT = -200,
    ZK_ERROR_CONNECT_FAILED = -201,
    ZK_ERROR_CONNECTION_REFUSED = -202,
    ZK_ERROR_ACCEPT_FAILED = -203,
    ZK_ERROR_LISTEN_FAILED = -204,
    ZK_ERROR_SOCKET_FAILED = -205,
    ZK_ERROR_SOCKET_CLOSED = -206,
    ZK_ERROR_BIND_FAILED = -207,
    ZK_ERROR_HOST_UNKNOWN = -208,
    ZK_ERROR_INVALID_HTTP_REPLY = -209,
    ZK_ERROR_HTTP_ERROR_REPLY = -210,
    ZK_ERROR_HTTP = -211,
    ZK_ERROR_INVALID_FTP_REPLY = -212,
    ZK_ERROR_FTP_ERROR_REPLY = -213,
    ZK_ERROR_FTP = -214,
    ZK_ERROR_TLS_FAILED = -215,          /* the secure connection could not be made */
    ZK_ERROR_CERTIFICATE_REFUSED = -216, /* the server's certificate did not verify */
    ZK_ERROR_STREAM_STALLED = -217,      /* no byte arrived within the stall time */
    ZK_ERROR_STREAM_TRUNCATED = -218,    /* the body ended before its announced end */

    ZK_ERROR_PIPE_FAILED = -300,
    ZK_ERROR_FORK_FAILED = -301,
    ZK_ERROR_SELECT_FAILED = -302,
    ZK_ERROR_PIPE_CLOSED = -303,
    ZK_ERROR_PIPE_READ_FAILED = -304,
    ZK_ERROR_PIPE_WRITE_FAILED = -305,
    ZK_ERROR_INVALID_MESSAGE = -306,
    ZK_ERROR_QUEUE_FULL = -307,
    ZK_ERROR_POST_FAILED = -308,

    ZK_ERROR_UNSUPPORTED_URL_SCHEME = -400,
    ZK_ERROR_INVALID_URL_SYNTAX = -401,

    ZK_ERROR_OPEN_FAILED = -500,
    ZK_ERROR_CLOSE_FAILED = -501,
    ZK_ERROR_READ_FAILED = -502,
    ZK_ERROR_WRITE_FAILED = -503,
    ZK_ERROR_PERMISSION_DENIED = -504,
    ZK_ERROR_NO_SUCH_DEVICE = -505,
    ZK_ERROR_IOCTL_FAILED = -506,
    ZK_ERROR_MODULE_NOT_FOUND = -507,
    ZK_ERROR_UNSUPPORTED_INPUT_TYPE = -508,
    ZK_ERROR_UNSUPPORTED_OUTPUT_TYPE = -509,
    ZK_ERROR_DEVICE_BUSY = -510,
    ZK_ERROR_NO_SUCH_OUTPUT_DEVICE = -511,
    ZK_ERROR_NO_SUCH_FILE = -512,
    ZK_ERROR_INPUT_END = -513,

    ZK_ERROR_INVALID_FRAME = -600,
    ZK_ERROR_NO_AUDIO = -601, /* the input holds no MPEG audio frame */

    ZK_ERROR_LIBRARY_NOT_FOUND = -700,
    ZK_ERROR_SYMBOL_NOT_FOUND = -701,

    ZK_ERROR_NO_SUCH_VARIABLE = -800,
    ZK_ERROR_INVALID_VARIABLE_TYPE = -801
};

/* The message of an error code: "input end" for ZK_ERROR_INPUT_END, the
 * empty text for ZK_OK and above or an unused code within a known hundred,
 * "unknown error" for a code outside the hundreds ZK_ERROR_OUT_OF_MEMORY
 * (-100) to ZK_ERROR_NO_SUCH_VARIABLE (-800), ZK_FAILURE included. Never null;
 * the text is static. */
ZK_API const char* zelkor_error_string(int32_t code);

/* ======================================================================== */
/* Versions                                                                 */
/* ======================================================================== */

/* Returns "1.2.0"; each non-null out pointer receives "1", "2" or "0". */
ZK_API const char* decoder_version(const char** major, const char** minor, const char** release);

enum {
    ZK_API_VERSION_SELECTOR_DECODER = 1, /* answers 0x00030003 */
    ZK_API_VERSION_SELECTOR_CONTROL = 2  /* answers 0x00030006 */
};
/* A version word: major in bits 16-23, minor in bits 8-15, revision in bits 0-7;
 * 0 for an unknown selector. */
ZK_API uint32_t zelkor_get_api_version(int32_t selector);

#define ZK_VERSION_MAJOR(word) (((word) >> 16) & 0xFF)
#define ZK_VERSION_MINOR(word) (((word) >> 8) & 0xFF)
#define ZK_VERSION_REVISION(word) ((word)&0xFF)

/* ======================================================================== */
/* Shared value sets                                                        */
/* ======================================================================== */

/* Player states. EOF is entered (and notified) once the last frame has been
 * written to the output, while the output may still hold up to its queue of
 * audio: nothing is cut, it plays on unless a command resets or closes the
 * output (stop, seek, input open, output reset/close). A client that wants
 * the end as heard drains the output (ZK_MSG_COMMAND_OUTPUT_DRAIN) or waits
 * for its queued bytes to reach 0; opening and playing the next input at EOF
 * joins it to what is still queued. */
enum { ZK_PLAYER_STATE_STOPPED = 0, ZK_PLAYER_STATE_PLAYING = 1, ZK_PLAYER_STATE_PAUSED = 2, ZK_PLAYER_STATE_EOF = 3 };

/* Input and output states as notified (ZK_MSG_NOTIFY_INPUT_STATE / _OUTPUT_STATE). */
enum { ZK_NOTIFIED_STATE_OPEN = 0, ZK_NOTIFIED_STATE_CLOSED = 1 };

/* Output channel selections. */
enum {
    ZK_OUTPUT_CHANNELS_STEREO = 0,
    ZK_OUTPUT_CHANNELS_LEFT = 1,
    ZK_OUTPUT_CHANNELS_RIGHT = 2,
    ZK_OUTPUT_CHANNELS_MIX = 3
};

/* Output ports (bit set). */
enum { ZK_OUTPUT_PORT_LINE = 0x01, ZK_OUTPUT_PORT_SPEAKER = 0x02, ZK_OUTPUT_PORT_HEADPHONE = 0x04 };

/* Stream modes (the MPEG audio header's mode field). */
enum { ZK_MODE_STEREO = 0, ZK_MODE_JOINT_STEREO = 1, ZK_MODE_DUAL_CHANNEL = 2, ZK_MODE_SINGLE_CHANNEL = 3 };

/* Stream levels. */
enum { ZK_LEVEL_MPEG_2_5 = 0, ZK_LEVEL_MPEG_1 = 1, ZK_LEVEL_MPEG_2 = 2 };

/* Control procedure priorities. */
enum {
    ZK_CONTROL_PRIORITY_LOWEST = 0,
    ZK_CONTROL_PRIORITY_LOW = 1,
    ZK_CONTROL_PRIORITY_NORMAL = 2,
    ZK_CONTROL_PRIORITY_HIGH = 3,
    ZK_CONTROL_PRIORITY_HIGHEST = 4
};

/* Player mode bits (ZK_MSG_SET_PLAYER_MODE). */
enum {
    ZK_PLAYER_MODE_CLOSE_OUTPUT_ON_STOP = 0x01,
    ZK_PLAYER_MODE_CLOSE_OUTPUT_ON_PAUSE = 0x02,
    ZK_PLAYER_MODE_CLOSE_OUTPUT_ON_EOF = 0x04
};

/* Notification mask bits (ZK_MSG_SET_NOTIFICATION_MASK); default: all set. */
#define ZK_NOTIFY_MASK_ERROR 0x00000001u
#define ZK_NOTIFY_MASK_DEBUG 0x00000002u
#define ZK_NOTIFY_MASK_PROGRESS 0x00000004u
#define ZK_NOTIFY_MASK_ACK 0x00000008u
#define ZK_NOTIFY_MASK_NACK 0x00000010u
#define ZK_NOTIFY_MASK_PLAYER_STATE 0x00000020u
#define ZK_NOTIFY_MASK_INPUT_STATE 0x00000040u
#define ZK_NOTIFY_MASK_INPUT_NAME 0x00000080u
#define ZK_NOTIFY_MASK_INPUT_CAPS 0x00000100u
#define ZK_NOTIFY_MASK_INPUT_DURATION 0x00000200u
#define ZK_NOTIFY_MASK_INPUT_POSITION 0x00000400u
#define ZK_NOTIFY_MASK_INPUT_POSITION_RANGE 0x00000800u
#define ZK_NOTIFY_MASK_INPUT_TIMECODE 0x00001000u
#define ZK_NOTIFY_MASK_INPUT_TIMECODE_GRANULARITY 0x00002000u
#define ZK_NOTIFY_MASK_INPUT_STREAM_INFO 0x00004000u
#define ZK_NOTIFY_MASK_OUTPUT_STATE 0x00008000u
#define ZK_NOTIFY_MASK_OUTPUT_NAME 0x00010000u
#define ZK_NOTIFY_MASK_OUTPUT_CAPS 0x00020000u
#define ZK_NOTIFY_MASK_OUTPUT_BALANCE 0x00080000u
#define ZK_NOTIFY_MASK_OUTPUT_PCM_LEVEL 0x00100000u
#define ZK_NOTIFY_MASK_OUTPUT_MASTER_LEVEL 0x00200000u
#define ZK_NOTIFY_MASK_OUTPUT_PORTS 0x00400000u
#define ZK_NOTIFY_MASK_INPUT_STREAM_TITLE 0x00800000u /* stream titles and station names */
#define ZK_NOTIFY_MASK_ALL 0xFFFFFFFFu

/* Progress codes reported by the network stream input (source = its module id). */
enum {
    ZK_PROGRESS_CONNECTING = 16,       /* "connecting" */
    ZK_PROGRESS_CONNECTED = 17,        /* "connected" */
    ZK_PROGRESS_BUFFER_UNDERFLOW = 19, /* "buffer underflow" */
    ZK_PROGRESS_BUFFER_REFILLED = 20,  /* "buffer refilled" */
    ZK_PROGRESS_BUFFER_FILLING = 21,   /* value = buffered x 100 / high mark */
    ZK_PROGRESS_END_OF_STREAM = 22,    /* "reached end of stream" */
    /* Texts a radio server sends with the stream; message = the text. The
     * player turns them into ZK_MSG_NOTIFY_INPUT_STREAM_TITLE / _NAME
     * instead of progress notifications. */
    ZK_PROGRESS_STREAM_TITLE = 23, /* the title now playing (may be empty) */
    ZK_PROGRESS_STREAM_NAME = 24   /* the station's name */
};

/* ======================================================================== */
/* Records of the decoder                                                   */
/* ======================================================================== */

/* Stream information of the last decoded frame. */
typedef struct ZK_StreamInfo {
    int32_t changed;   /* 1 when any value below differs from the previous frame's */
    int32_t level;     /* ZK_LEVEL_MPEG_1, ZK_LEVEL_MPEG_2 or ZK_LEVEL_MPEG_2_5 */
    int32_t layer;     /* 1, 2 or 3 */
    int32_t bitrate;   /* kbit/s */
    int32_t frequency; /* Hz */
    int32_t mode;      /* ZK_MODE_* */
} ZK_StreamInfo;

/* A point in stream time. */
typedef struct ZK_Timecode {
    int32_t hours;
    int32_t minutes;
    int32_t seconds;
    int32_t hundredths;
} ZK_Timecode;

/* Status kept up to date by every decoded frame. */
typedef struct ZK_DecodeStatus {
    int32_t frame;  /* 0 at creation */
    float position; /* fraction of the input consumed, 0 to 1 */
    ZK_StreamInfo info;
    ZK_Timecode timecode;
} ZK_DecodeStatus;

/* ZK_PcmBuffer.changes bits. A channel-count change sets both CHANNELS and RATE. */
enum { ZK_PCM_CHANGED_SAMPLE_SIZE = 1, ZK_PCM_CHANGED_CHANNELS = 2, ZK_PCM_CHANGED_SAMPLE_RATE = 4 };

/* The PCM of the last decoded frame. */
typedef struct ZK_PcmBuffer {
    int32_t changes;          /* ZK_PCM_CHANGED_* of the last frame */
    void* samples;            /* the PCM */
    int32_t size;             /* its size in bytes */
    int32_t bytes_per_sample; /* 2 (signed 16-bit) or 1 (8-bit); 0 at creation */
    int32_t stereo;           /* 1 two interleaved channels, 0 one; -1 at creation */
    int32_t sample_rate;      /* Hz; 0 at creation */
    uint32_t delay;           /* output latency in microseconds; 0 when unknown */
} ZK_PcmBuffer;

/* Equalizer: band i is synthesis subband i; -128..127, 0 = unchanged level.
 * Gain is 1 + v/32 for v >= 0 and 1 / (1 - v/32) for v < 0. */
typedef struct ZK_EqualizerInfo {
    int8_t left[32];
    int8_t right[32];
} ZK_EqualizerInfo;

/* Module and device description filled by a module's query operation. */
enum {
    ZK_MODULE_QUERY_NAME = 1,         /* name and description of the module */
    ZK_MODULE_QUERY_DEVICE_COUNT = 2, /* index_or_count := number of devices */
    ZK_MODULE_QUERY_DEVICE = 4        /* the device whose index is in index_or_count */
};
#define ZK_MODULE_INFO_TEXT_SIZE 256
typedef struct ZK_ModuleInfo {
    int32_t index_or_count;
    uint32_t flags; /* 0x1 a real source or sink, 0x2 a streaming buffer / the default device */
    char name[ZK_MODULE_INFO_TEXT_SIZE];
    char description[ZK_MODULE_INFO_TEXT_SIZE];
} ZK_ModuleInfo;

typedef struct ZK_Decoder ZK_Decoder;
typedef struct ZK_DecoderPrivate ZK_DecoderPrivate;
typedef struct ZK_EnvironmentListener ZK_EnvironmentListener;

/* ======================================================================== */
/* Input modules and filters                                                */
/* ======================================================================== */

/* Input capability bits. ZK_INPUT_CAN_SEEK: seeks are cheap (a file); the
 * input is indexed when it opens. ZK_INPUT_CAN_SEEK_BY_REOPEN: a stream that
 * seeks by asking its server again (HTTP byte ranges); it is not indexed, and
 * seeks by time and position go through the information frame's table of
 * contents or the average bitrate. A failed reopen leaves the stream as it
 * was. */
#define ZK_INPUT_CAN_SEEK 0x1u
#define ZK_INPUT_CAN_SEEK_BY_REOPEN 0x2u

/* An input module: operations in slot order. new_instance, delete_instance,
 * open, close and read are required (registration refuses the module with
 * ZK_ERROR_INTERNAL otherwise); the others may be null.
 *
 * Threads: every operation is called on the thread that drives the decoder
 * (with a player, the player thread), one at a time per decoder.
 * Order: probe and query at any time, without an instance. decoder_input_new
 * calls new_instance; decoder_input_open calls open (through the filters),
 * then get_size and get_caps, and on a seekable input reads and seeks to find
 * the first frame. read, seek, get_caps, get_size and send_message come only
 * between open and close. open may follow close again on the same instance.
 * delete_instance comes last (an open instance is closed first), when another
 * input is created, on decoder_input_delete or decoder_delete. */
typedef struct ZK_InputModule {
    /* 0 if the module accepts the input name, non-zero otherwise. */
    int32_t (*probe)(const char* name);
    /* Fills info for what = ZK_MODULE_QUERY_*; 0 or an error. Missing: one
     * device, "unknown device name". */
    int32_t (*query)(ZK_ModuleInfo* info, int32_t what);
    /* Stores the instance for name; module_id is this module's id. An error
     * is returned by decoder_input_new and no instance is kept. */
    int32_t (*new_instance)(void** instance, const char* name, int32_t module_id, ZK_Decoder* decoder);
    int32_t (*delete_instance)(void* instance);
    /* 0, or an error that decoder_input_open returns: the input stays
     * created and closed, and may be opened again. */
    int32_t (*open)(void* instance);
    /* Its result is what decoder_input_close returns; the input is closed
     * either way. */
    int32_t (*close)(void* instance);
    /* Bytes read (count, or fewer for a stream), 0 at the end, or an error. */
    int32_t (*read)(void* instance, void* buffer, uint32_t count);
    /* Moves to a byte offset; 0 or an error. Missing: seeks give ZK_FAILURE. */
    int32_t (*seek)(void* instance, uint32_t offset);
    /* ZK_INPUT_* of the open instance; missing: 0. */
    uint32_t (*get_caps)(void* instance);
    uint32_t (*get_size)(void* instance); /* 0 when unknown; missing: 0 */
    /* The module's answer to a message of its own type; missing: ZK_FAILURE. */
    int32_t (*send_message)(void* instance, int32_t type, const void* data, uint32_t size);
} ZK_InputModule;

/* The rest of an input chain, as seen by a filter: call an operation with
 * its context to pass a call on (next->read(next->context, ...)); its result
 * is what the rest of the chain answers. Valid during the call that hands it
 * over only: the chain is relinked when filters come and go. */
typedef struct ZK_InputNext {
    void* context;
    int32_t (*open)(void* context);
    int32_t (*close)(void* context);
    int32_t (*read)(void* context, void* buffer, uint32_t count);
    int32_t (*seek)(void* context, uint32_t offset);
    uint32_t (*get_caps)(void* context);
    uint32_t (*get_size)(void* context);
    int32_t (*send_message)(void* context, int32_t type, const void* data, uint32_t size);
} ZK_InputNext;

/* An input filter. name is required; every operation after delete_instance
 * is optional, a missing one passes the call to the next element unchanged.
 *
 * Threads: as modules, the thread that drives the decoder.
 * Order: new_instance when decoder_input_add_filter adds the filter (an error
 * refuses it and is returned there; filter_id is its id); delete_instance
 * when it is removed or the decoder is deleted. In between, each operation
 * that reaches the filter is the chain's operation of the same name, in the
 * module's order: a filter that has one passes the call on itself through
 * next (or answers in its place) and its result is what the caller sees. A
 * filter added while the input is open sees no open; one removed while it is
 * open sees no close. */
typedef struct ZK_InputFilter {
    const char* (*name)(void);
    int32_t (*new_instance)(void** instance, int32_t filter_id, ZK_Decoder* decoder);
    int32_t (*delete_instance)(void* instance);
    int32_t (*open)(void* instance, const ZK_InputNext* next);
    int32_t (*close)(void* instance, const ZK_InputNext* next);
    int32_t (*read)(void* instance, const ZK_InputNext* next, void* buffer, uint32_t count);
    int32_t (*seek)(void* instance, const ZK_InputNext* next, uint32_t offset);
    uint32_t (*get_caps)(void* instance, const ZK_InputNext* next);
    uint32_t (*get_size)(void* instance, const ZK_InputNext* next);
    int32_t (*send_message)(void* instance, const ZK_InputNext* next, int32_t type, const void* data, uint32_t size);
} ZK_InputFilter;

/* State of the decoder's input. A leading ID3v2 tag is skipped when the input
 * opens (or, for inputs that cannot seek, as the first bytes are read):
 * offset 0 and the size count from the first byte after it. */
typedef struct ZK_InputInfo {
    int32_t module;   /* id of the chosen module, -1 for none */
    void* instance;   /* the module's instance, or null */
    char* name;       /* owned copy of the input name, or null */
    int32_t state;    /* 0 closed, 1 open */
    uint32_t caps;    /* ZK_INPUT_* of the chain, 0 while closed */
    uint32_t offset;  /* bytes consumed since open or the last seek */
    uint32_t size;    /* total bytes, 0 when unknown */
    int32_t duration; /* whole seconds, 0 when unknown */
    float position;   /* offset / size, 0 to 1 */
    ZK_Timecode timecode;
    ZK_StreamInfo info; /* info.changed: 1 when known or changed since last read */
} ZK_InputInfo;

/* ======================================================================== */
/* Output modules and filters                                               */
/* ======================================================================== */

/* Output control request bits (set_control / get_control). */
#define ZK_OUTPUT_REQUEST_SAMPLE_SIZE 0x0001u
#define ZK_OUTPUT_REQUEST_STEREO 0x0002u
#define ZK_OUTPUT_REQUEST_SAMPLE_RATE 0x0004u
#define ZK_OUTPUT_REQUEST_MASTER_LEVEL 0x0008u
#define ZK_OUTPUT_REQUEST_PCM_LEVEL 0x0010u
#define ZK_OUTPUT_REQUEST_BALANCE 0x0020u
#define ZK_OUTPUT_REQUEST_PORTS 0x0040u
#define ZK_OUTPUT_REQUEST_MUTE 0x0080u
#define ZK_OUTPUT_REQUEST_UNMUTE 0x0100u
#define ZK_OUTPUT_REQUEST_RESET 0x0200u /* discard everything queued */
#define ZK_OUTPUT_REQUEST_PAUSE 0x0400u
#define ZK_OUTPUT_REQUEST_RESUME 0x0800u
#define ZK_OUTPUT_REQUEST_DRAIN 0x1000u /* play out everything queued */

/* Output capability bits (get_caps) beyond the request bits. */
#define ZK_OUTPUT_CAP_LOG8 0x00100000u     /* takes 8-bit logarithmic samples */
#define ZK_OUTPUT_CAP_PCM16 0x00200000u    /* takes signed 16-bit samples */
#define ZK_OUTPUT_CAP_DELAY 0x04000000u    /* answers get_status with its queued bytes */
#define ZK_OUTPUT_CAPS_INITIAL 0x8BFFFFFFu /* the decoder's output caps at creation */

/* Output control record. */
typedef struct ZK_OutputControl {
    int32_t sample_size;  /* bytes per sample;      ZK_OUTPUT_REQUEST_SAMPLE_SIZE */
    int32_t sample_rate;  /* Hz;                    ZK_OUTPUT_REQUEST_SAMPLE_RATE */
    int32_t stereo;       /* 0 mono, 1 stereo;      ZK_OUTPUT_REQUEST_STEREO */
    int32_t master_level; /* 0 to 100;              ZK_OUTPUT_REQUEST_MASTER_LEVEL */
    int32_t pcm_level;    /* 0 to 100;              ZK_OUTPUT_REQUEST_PCM_LEVEL */
    int32_t balance;      /* 0 left .. 50 .. 100 right; ZK_OUTPUT_REQUEST_BALANCE */
    int32_t ports;        /* ZK_OUTPUT_PORT_*;      ZK_OUTPUT_REQUEST_PORTS */
} ZK_OutputControl;

/* An output module: operations in slot order. new_instance, delete_instance,
 * open, close and write are required (registration refuses the module with
 * ZK_ERROR_INTERNAL otherwise); the others may be null.
 *
 * Threads: every operation is called on the thread that drives the decoder
 * (with a player, the player thread), one at a time per decoder. A module
 * that plays in the background does so on threads of its own: the built-in
 * audio output has a feeder thread that hands queued blocks to the device,
 * and a block is done (its memory free for get_buffer again) on that thread,
 * or at once on the calling thread when set_control resets or close runs.
 * Order: probe and query at any time, without an instance. decoder_output_new
 * calls new_instance; decoder_output_open calls open (through the filters)
 * and then get_caps. While open, each decoder_play step calls get_buffer,
 * set_control when the PCM format changed (request: the ZK_PCM_CHANGED_*
 * bits, which are the SAMPLE_SIZE, STEREO and SAMPLE_RATE request bits),
 * then write; get_status after each decoded frame when the caps have
 * ZK_OUTPUT_CAP_DELAY; set_control, get_control and send_message as the
 * client asks. open may follow close again on the same instance.
 * delete_instance comes last (an open instance is closed first). */
typedef struct ZK_OutputModule {
    int32_t (*probe)(const char* name); /* 0 if the module accepts the name */
    int32_t (*query)(ZK_ModuleInfo* info, int32_t what);
    /* An error is returned by decoder_output_new and no instance is kept. */
    int32_t (*new_instance)(void** instance, const char* name, int32_t module_id, ZK_Decoder* decoder);
    int32_t (*delete_instance)(void* instance);
    /* 0, or an error that decoder_output_open returns: the output stays
     * created and closed, and may be opened again. */
    int32_t (*open)(void* instance);
    /* Its result is what decoder_output_close returns; the output is closed
     * either way. */
    int32_t (*close)(void* instance);
    /* Bytes accepted, or an error, which decoder_play returns (the frame
     * counts as not played). */
    int32_t (*write)(void* instance, const void* samples, uint32_t count, int32_t sample_size, int32_t stereo,
                     int32_t sample_rate);
    /* Memory of at least count bytes for the decoder's next frame, which is
     * then written from there; null: the decoder uses memory of its own.
     * Missing: null. */
    void* (*get_buffer)(void* instance, uint32_t count);
    /* Applies the fields the request bits name; 0 or an error. Missing:
     * ZK_FAILURE. */
    int32_t (*set_control)(void* instance, const ZK_OutputControl* control, uint32_t request);
    /* Fills the fields the request bits name; 0 or an error. Missing:
     * ZK_FAILURE. */
    int32_t (*get_control)(void* instance, ZK_OutputControl* control, uint32_t request);
    /* Stores the bytes queued but not yet played; 0 or an error. Missing:
     * ZK_FAILURE. */
    int32_t (*get_status)(void* instance, uint32_t* queued_bytes);
    /* Request and ZK_OUTPUT_CAP_* bits of the open instance. Missing: 0,
     * which gets 8-bit unsigned samples. */
    uint32_t (*get_caps)(void* instance);
    /* The module's answer to a message of its own type; missing: ZK_FAILURE. */
    int32_t (*send_message)(void* instance, int32_t type, const void* data, uint32_t size);
} ZK_OutputModule;

/* The rest of an output chain, as seen by a filter; as ZK_InputNext, valid
 * during the call that hands it over only. */
typedef struct ZK_OutputNext {
    void* context;
    int32_t (*open)(void* context);
    int32_t (*close)(void* context);
    int32_t (*write)(void* context, const void* samples, uint32_t count, int32_t sample_size, int32_t stereo,
                     int32_t sample_rate);
    void* (*get_buffer)(void* context, uint32_t count);
    int32_t (*set_control)(void* context, const ZK_OutputControl* control, uint32_t request);
    int32_t (*get_control)(void* context, ZK_OutputControl* control, uint32_t request);
    int32_t (*get_status)(void* context, uint32_t* queued_bytes);
    uint32_t (*get_caps)(void* context);
    int32_t (*send_message)(void* context, int32_t type, const void* data, uint32_t size);
} ZK_OutputNext;

/* An output filter; as ZK_InputFilter: name required, optional operations
 * pass calls on, called on the thread that drives the decoder in the module's
 * order, new_instance when decoder_output_add_filter adds it, delete_instance
 * when it is removed or the decoder is deleted. */
typedef struct ZK_OutputFilter {
    const char* (*name)(void);
    int32_t (*new_instance)(void** instance, int32_t filter_id, ZK_Decoder* decoder);
    int32_t (*delete_instance)(void* instance);
    int32_t (*open)(void* instance, const ZK_OutputNext* next);
    int32_t (*close)(void* instance, const ZK_OutputNext* next);
    int32_t (*write)(void* instance, const ZK_OutputNext* next, const void* samples, uint32_t count,
                     int32_t sample_size, int32_t stereo, int32_t sample_rate);
    void* (*get_buffer)(void* instance, const ZK_OutputNext* next, uint32_t count);
    int32_t (*set_control)(void* instance, const ZK_OutputNext* next, const ZK_OutputControl* control,
                           uint32_t request);
    int32_t (*get_control)(void* instance, const ZK_OutputNext* next, ZK_OutputControl* control, uint32_t request);
    int32_t (*get_status)(void* instance, const ZK_OutputNext* next, uint32_t* queued_bytes);
    uint32_t (*get_caps)(void* instance, const ZK_OutputNext* next);
    int32_t (*send_message)(void* instance, const ZK_OutputNext* next, int32_t type, const void* data, uint32_t size);
} ZK_OutputFilter;

/* State of the decoder's output. */
typedef struct ZK_OutputInfo {
    int32_t module;   /* id of the chosen module, -1 for none */
    void* instance;   /* the module's instance, or null */
    char* name;       /* owned copy of the output name, or null */
    int32_t state;    /* 0 closed, 1 open */
    uint32_t caps;    /* ZK_OUTPUT_CAPS_INITIAL at creation; the chain's caps once open */
    int32_t channels; /* ZK_OUTPUT_CHANNELS_* applied when samples are produced */
    int32_t attached; /* 1 while an output instance exists */
} ZK_OutputInfo;

/* Registration functions, as exported by module and filter libraries: they
 * fill the record and give 0 or an error. */
typedef int32_t (*ZK_InputModuleRegister)(ZK_InputModule* module);
typedef int32_t (*ZK_OutputModuleRegister)(ZK_OutputModule* module);
typedef int32_t (*ZK_InputFilterRegister)(ZK_InputFilter* filter);
typedef int32_t (*ZK_OutputFilterRegister)(ZK_OutputFilter* filter);

/* ======================================================================== */
/* The decoder object                                                       */
/* ======================================================================== */

/* The decoder's three callbacks are called on the thread inside the decoder
 * call that reports (the thread that drives the decoder; with a player, the
 * player thread), before that call returns. source is the reporting module's
 * id (0 for the decoder itself); message and detail may be null and are valid
 * during the call only. */
/* Progress of an input (ZK_PROGRESS_*), value as the code says. */
typedef void (*ZK_ProgressCallback)(void* client, int32_t source, int32_t code, int32_t value, const char* message);
/* A debug line of a level (0 the most important, as internal errors). */
typedef void (*ZK_DebugCallback)(void* client, int32_t source, int32_t level, const char* message, const char* detail);
/* A failure a module met; code is a ZK_ERROR_*. */
typedef void (*ZK_ErrorCallback)(void* client, int32_t source, int32_t code, const char* message, const char* detail);
/* Called on every set and unset of the watched name, on the caller's thread.
 * value: the text of a string variable, a pointer to the int32_t of an integer
 * variable, or null when the variable is unset. The result is ignored. */
typedef int32_t (*ZK_EnvironmentCallback)(void* client, const char* name, const void* value);

/* The decoder record. The caller owns it; modules and the player read and
 * write its fields directly. Entry points let modules reach the environment
 * without linking against the exports. */
struct ZK_Decoder {
    const char* name; /* "ZELKOR" */
    ZK_InputInfo* input;
    ZK_OutputInfo* output;
    int32_t* module_counts; /* [0] input modules, [1] output modules registered */
    ZK_DecodeStatus* status;
    ZK_PcmBuffer* output_buffer;
    void* client;                 /* first argument of the three callbacks */
    ZK_ProgressCallback progress; /* optional */
    ZK_DebugCallback debug;       /* optional */
    ZK_ErrorCallback error;       /* optional */
    int32_t (*get_integer)(ZK_Decoder* decoder, const char* name, int32_t* value);
    int32_t (*get_string)(ZK_Decoder* decoder, const char* name, char* buffer);
    int32_t (*add_listener)(ZK_Decoder* decoder, const char* name, void* client, ZK_EnvironmentCallback callback,
                            ZK_EnvironmentListener** handle);
    int32_t (*remove_listener)(ZK_Decoder* decoder, ZK_EnvironmentListener* handle);
    ZK_DecoderPrivate* private_data;
    int32_t (*get_string_sized)(ZK_Decoder* decoder, const char* name, char* buffer, size_t size);
};

/* Creates a decoder without modules and stores it in *decoder; 0, or
 * ZK_ERROR_OUT_OF_MEMORY. A decoder is driven by one thread at a time. */
ZK_API int32_t decoder_new(ZK_Decoder** decoder);
/* Closes and releases the decoder with its input, output, filters, modules
 * and environment; 0. */
ZK_API int32_t decoder_delete(ZK_Decoder* decoder);
/* Decodes the next frame into pcm (at least 4608 bytes) or, when pcm is null,
 * into the decoder's internal buffer; the result is described by
 * decoder->output_buffer. 0; ZK_ERROR_INTERNAL (input not open, bad channel
 * selection); ZK_ERROR_INVALID_FRAME (invalid frame contents; the next call
 * goes on with the next frame); ZK_ERROR_NO_AUDIO ("no MPEG audio found":
 * the input ended before a single frame was found); or the input's error
 * (ZK_ERROR_INPUT_END at the end of the input). A protected frame whose CRC
 * does not match gives 0 with silent samples of its length and a level-1
 * debug report "CRC mismatch" (see ZK_CRC_CHECK_VARIABLE). */
ZK_API int32_t decoder_decode(ZK_Decoder* decoder, void* pcm);
/* One step: decodes a frame into the output's buffer and writes it to the
 * output. 0; ZK_ERROR_INTERNAL (output not open); what decoder_decode
 * returned; or the output's write error. */
ZK_API int32_t decoder_play(ZK_Decoder* decoder);

/* Environment: named integer and string variables (names compared exactly).
 * Each call gives 0, or ZK_ERROR_INVALID_PARAMETERS for a null argument and
 * ZK_ERROR_OUT_OF_MEMORY when a copy cannot be made, besides the results
 * named below. Setting notifies the name's listeners.
 * Setting a name that exists with the other type gives
 * ZK_ERROR_INVALID_VARIABLE_TYPE and changes nothing. */
ZK_API int32_t decoder_set_environment_integer(ZK_Decoder* decoder, const char* name, int32_t value);
ZK_API int32_t decoder_set_environment_string(ZK_Decoder* decoder, const char* name, const char* text);
/* ZK_ERROR_NO_SUCH_VARIABLE when unset, ZK_ERROR_INVALID_VARIABLE_TYPE when
 * the variable is a string. */
ZK_API int32_t decoder_get_environment_integer(ZK_Decoder* decoder, const char* name, int32_t* value);
/* Copies the text into buffer, which must be large enough for it; prefer
 * decoder_get_environment_string_sized. ZK_ERROR_NO_SUCH_VARIABLE when unset,
 * ZK_ERROR_INVALID_VARIABLE_TYPE for an integer. */
ZK_API int32_t decoder_get_environment_string(ZK_Decoder* decoder, const char* name, char* buffer);
/* As decoder_get_environment_string into a buffer of size bytes;
 * ZK_ERROR_INVALID_PARAMETERS (and nothing copied) when the text and its zero
 * do not fit. */
ZK_API int32_t decoder_get_environment_string_sized(ZK_Decoder* decoder, const char* name, char* buffer, size_t size);
/* Notifies listeners with a null value, then removes the variable;
 * ZK_ERROR_NO_SUCH_VARIABLE when unset. */
ZK_API int32_t decoder_unset_environment(ZK_Decoder* decoder, const char* name);
/* Watches a name (which need not exist yet); *handle identifies the listener. */
ZK_API int32_t decoder_add_environment_listener(ZK_Decoder* decoder, const char* name, void* client,
                                                ZK_EnvironmentCallback callback, ZK_EnvironmentListener** handle);
/* ZK_FAILURE when the handle is not a listener of this decoder. */
ZK_API int32_t decoder_remove_environment_listener(ZK_Decoder* decoder, ZK_EnvironmentListener* handle);

/* Sets the 64 band values (null switches the equalizer off); effective from
 * the next frame. 0, or ZK_ERROR_OUT_OF_MEMORY. */
ZK_API int32_t decoder_codec_set_equalizer(ZK_Decoder* decoder, const ZK_EqualizerInfo* equalizer);
/* Reads the band values back; ZK_FAILURE when a channel has no equalizer (it
 * reads as zeros). */
ZK_API int32_t decoder_codec_get_equalizer(ZK_Decoder* decoder, ZK_EqualizerInfo* equalizer);

/* ======================================================================== */
/* Inputs                                                                   */
/* ======================================================================== */

/* Inputs and outputs: every export below gives ZK_ERROR_INVALID_PARAMETERS
 * for a null decoder, and ZK_ERROR_INTERNAL (with a debug report) when the
 * input or output it needs is not in the state named. */

/* Registers a copy of the module; the result is its id (0, 1, 2, ...).
 * ZK_ERROR_INTERNAL when a required operation is missing,
 * ZK_ERROR_OUT_OF_MEMORY. */
ZK_API int32_t decoder_input_module_register(ZK_Decoder* decoder, const ZK_InputModule* module);
/* The module's query answer; ZK_ERROR_MODULE_NOT_FOUND for an unknown id. */
ZK_API int32_t decoder_input_module_query(ZK_Decoder* decoder, int32_t module_id, ZK_ModuleInfo* info, int32_t what);
/* Creates the input for name with module id, or -1 for the newest module whose
 * probe accepts the name; the same module and name again keep the instance,
 * otherwise the current input is closed and deleted first. 0;
 * ZK_ERROR_UNSUPPORTED_INPUT_TYPE when no module accepts the name;
 * ZK_ERROR_MODULE_NOT_FOUND for an unknown id; ZK_ERROR_OUT_OF_MEMORY; or the
 * module's new_instance error. */
ZK_API int32_t decoder_input_new(ZK_Decoder* decoder, const char* name, int32_t module_id);
/* Closes (when open) and deletes the input instance; 0, also without one. */
ZK_API int32_t decoder_input_delete(ZK_Decoder* decoder);
/* Opens a created, closed input and probes its first frame header. A
 * seekable input is indexed: its frames are counted (the duration), an
 * information frame (Xing, Info, VBRI) is taken out of the stream, and with
 * LAME's tag the encoder delay and padding are left out of playback. 0,
 * ZK_ERROR_INTERNAL, or the chain's open error (the input stays closed) or an
 * error while probing (the input is closed again). */
ZK_API int32_t decoder_input_open(ZK_Decoder* decoder);
/* Environment integers read when an input opens: the encoder delay and
 * padding are played too when ZK_GAPLESS_VARIABLE is 0 (default: trimmed);
 * seekable inputs start playing at ZK_INPUT_START_VARIABLE milliseconds;
 * ZK_CRC_CHECK_VARIABLE 0 plays protected frames unchecked (default:
 * checked). */
#define ZK_GAPLESS_VARIABLE "DECODER.GAPLESS"
#define ZK_INPUT_START_VARIABLE "INPUT.START-MILLISECONDS"
#define ZK_CRC_CHECK_VARIABLE "CODEC.CRC-CHECK"
/* Closes an open input (ZK_ERROR_INTERNAL otherwise); the module's close
 * result. The instance stays, to be opened again. */
ZK_API int32_t decoder_input_close(ZK_Decoder* decoder);
/* Reads from an open input: the bytes read, 0 for a count of 0,
 * ZK_ERROR_INPUT_END at the end, or the chain's error. */
ZK_API int32_t decoder_input_read(ZK_Decoder* decoder, void* buffer, uint32_t count);
/* Seeks need ZK_INPUT_CAN_SEEK or ZK_INPUT_CAN_SEEK_BY_REOPEN and a known
 * size (ZK_FAILURE otherwise); 0 or the chain's seek error, which leaves
 * input and position unchanged on a stream. Offsets past the end are clamped
 * to the size. On an indexed input, seeks by position, time and timecode land
 * on the sample: the first sample played is the one a decode from the start
 * gives there; on a stream they land on a frame near the target, placed
 * through its information frame's seek table (Xing or VBRI) or at the
 * average byte rate. */
ZK_API int32_t decoder_input_seek_to_offset(ZK_Decoder* decoder, uint32_t offset);
/* To a fraction of the input, 0 to 1 (outside: clamped). */
ZK_API int32_t decoder_input_seek_to_position(ZK_Decoder* decoder, float position);
/* To a time from the start (negative: the start); with the duration unknown,
 * to the start. */
ZK_API int32_t decoder_input_seek_to_time(ZK_Decoder* decoder, double seconds);
/* As decoder_input_seek_to_time with the timecode's time. */
ZK_API int32_t decoder_input_seek_to_timecode(ZK_Decoder* decoder, const ZK_Timecode* timecode);
/* Passes a message to the open input's chain; the answer of the first filter
 * or module that takes it, ZK_FAILURE when the module has no send_message. */
ZK_API int32_t decoder_input_send_message(ZK_Decoder* decoder, int32_t type, const void* data, uint32_t size);

/* Filter placement (where): -1 first in the chain; 0 or 1 last, before the
 * module; n >= 2 before the filter with id n (last when there is none). The
 * result is the new filter id (1, 2, ...: the lowest unused);
 * ZK_ERROR_INVALID_PARAMETERS for a null filter or name or a where below -1;
 * ZK_ERROR_OUT_OF_MEMORY; or the filter's new_instance error. */
#define ZK_FILTER_FIRST (-1)
#define ZK_FILTER_LAST 0
ZK_API int32_t decoder_input_add_filter(ZK_Decoder* decoder, const ZK_InputFilter* filter, int32_t where);
/* Filter selection (id): -2 by name, -1 the first element, 0 the last filter,
 * n > 0 the filter with id n. Returns the id of the new first filter (0 when
 * none is left), or ZK_FAILURE when no filter matches. */
#define ZK_FILTER_BY_NAME (-2)
ZK_API int32_t decoder_input_remove_filter(ZK_Decoder* decoder, const char* name, int32_t id);
typedef int32_t (*ZK_FilterListCallback)(void* client, const char* name, int32_t id);
/* Calls the callback once per filter, first to last (its result is ignored);
 * 0, or ZK_ERROR_INVALID_PARAMETERS for a null callback. */
ZK_API int32_t decoder_input_filters_list(ZK_Decoder* decoder, void* client, ZK_FilterListCallback callback);

/* Built-in input modules. Each register function fills the record (to be
 * passed to decoder_input_module_register); 0, or
 * ZK_ERROR_INVALID_PARAMETERS for a null record. */
/* Files ("-" is standard input). */
ZK_API int32_t file_input_module_register(ZK_InputModule* module);
/* Memory: "size@address" (hexadecimal, in this process) reads a static block;
 * the empty name opens a streaming ring of 65536 bytes that the client fills
 * with memory_input_stream_write. */
ZK_API int32_t memory_input_module_register(ZK_InputModule* module);
/* Appends up to size bytes to the streaming ring of the decoder's current
 * memory input; returns the bytes taken (fewer when the ring is full),
 * ZK_ERROR_INVALID_PARAMETERS for null data with a size, or ZK_ERROR_INTERNAL
 * when the current input is not a streaming memory input. Call it from the
 * thread that drives the decoder. */
ZK_API int32_t memory_input_stream_write(ZK_Decoder* decoder, const void* data, uint32_t size);
/* Network streams: "http://", "https://", "ftp://", "udp://" URLs; hosts may
 * be IPv6 literals in brackets ("http://[::1]:8000/"). HTTPS verifies the
 * server's certificate and host name against the system's store
 * (SSL_CERT_FILE and SSL_CERT_DIR are honoured); a refusal is
 * ZK_ERROR_CERTIFICATE_REFUSED with the reason in an error report. Radio
 * servers are asked for stream titles, which arrive as
 * ZK_PROGRESS_STREAM_TITLE reports. FTP tries passive mode (EPSV,
 * then PASV) before active mode.
 * A UDP stream takes datagrams whole (up to 65507 bytes, whatever
 * MAX-PACKET-SIZE says) in arrival order; an empty datagram ends it.
 * Variables read at input creation or open:
 *   INPUT.STREAM.BUFFER-SIZE, MAX-PACKET-SIZE, HIGH-MARK, READ-TIMEOUT (ms),
 *   MAX-ACCU, FORCE-FILL-ZONE: the receive ring and its refills; creation
 *   gives ZK_ERROR_INVALID_PARAMETERS for values that cannot work (a
 *   BUFFER-SIZE below 2 x MAX-PACKET-SIZE + 4096, a MAX-PACKET-SIZE,
 *   READ-TIMEOUT or STALL-TIMEOUT of 0, a negative value), and a HIGH-MARK
 *   beyond what the ring can fill is lowered;
 *   INPUT.STREAM.STALL-TIMEOUT: ms without a byte after which an open stream
 *   ends with ZK_ERROR_STREAM_STALLED and an error report (default 15000);
 *   NETWORK.HTTP.PROXY.HOSTNAME and NETWORK.HTTP.PROXY.PORT: the proxy for
 *   HTTP and HTTPS (CONNECT); when unset, the environment's http_proxy,
 *   https_proxy and no_proxy (or their upper-case forms but HTTP_PROXY). */
ZK_API int32_t stream_input_module_register(ZK_InputModule* module);

/* ======================================================================== */
/* Outputs                                                                  */
/* ======================================================================== */

/* Registers a copy of the module; its id, ZK_ERROR_INTERNAL when a required
 * operation is missing, ZK_ERROR_OUT_OF_MEMORY. */
ZK_API int32_t decoder_output_module_register(ZK_Decoder* decoder, const ZK_OutputModule* module);
/* The module's query answer; ZK_ERROR_MODULE_NOT_FOUND for an unknown id. */
ZK_API int32_t decoder_output_module_query(ZK_Decoder* decoder, int32_t module_id, ZK_ModuleInfo* info, int32_t what);
/* Creates the output for name with module id, or -1 for the newest module
 * whose probe accepts the name; the same module and name keep the instance.
 * 0; ZK_ERROR_UNSUPPORTED_OUTPUT_TYPE when no module accepts the name;
 * ZK_ERROR_MODULE_NOT_FOUND; ZK_ERROR_OUT_OF_MEMORY; or the module's
 * new_instance error. */
ZK_API int32_t decoder_output_new(ZK_Decoder* decoder, const char* name, int32_t module_id);
/* Closes (when open) and deletes the output instance; 0, also without one. */
ZK_API int32_t decoder_output_delete(ZK_Decoder* decoder);
/* Opens a created, closed output and reads its caps into decoder->output;
 * the next frame sets the PCM format anew. 0, ZK_ERROR_INTERNAL, or the
 * chain's open error (the output stays closed). */
ZK_API int32_t decoder_output_open(ZK_Decoder* decoder);
/* Closes an open output; the chain's close result. */
ZK_API int32_t decoder_output_close(ZK_Decoder* decoder);
/* Writes count bytes of samples to the open output: the chain's result (bytes
 * accepted, or an error); ZK_ERROR_INVALID_PARAMETERS for null samples with a
 * count. */
ZK_API int32_t decoder_output_write(ZK_Decoder* decoder, const void* samples, uint32_t count, int32_t sample_size,
                                    int32_t stereo, int32_t sample_rate);
/* Applies the request bits (ZK_OUTPUT_REQUEST_*) to the open output: the
 * chain's result, ZK_FAILURE when the module has no set_control. */
ZK_API int32_t decoder_output_set_control(ZK_Decoder* decoder, const ZK_OutputControl* control, uint32_t request);
/* Reads the requested fields from the open output: the chain's result,
 * ZK_FAILURE when the module has no get_control, ZK_ERROR_INTERNAL for a null
 * control. */
ZK_API int32_t decoder_output_get_control(ZK_Decoder* decoder, ZK_OutputControl* control, uint32_t request);
/* Passes a message to the open output's chain; its answer, ZK_FAILURE when
 * the module has no send_message. */
ZK_API int32_t decoder_output_send_message(ZK_Decoder* decoder, int32_t type, const void* data, uint32_t size);
/* Placement, ids and results as decoder_input_add_filter. */
ZK_API int32_t decoder_output_add_filter(ZK_Decoder* decoder, const ZK_OutputFilter* filter, int32_t where);
/* Selection and results as decoder_input_remove_filter. */
ZK_API int32_t decoder_output_remove_filter(ZK_Decoder* decoder, const char* name, int32_t id);
/* As decoder_input_filters_list. */
ZK_API int32_t decoder_output_filters_list(ZK_Decoder* decoder, void* client, ZK_FilterListCallback callback);

/* Built-in output modules, filled as the input ones. */
/* Files: "raw:NAME" or NAME (raw PCM), "wav:NAME", "aiff:NAME", "sun:NAME";
 * "-" after the prefix is standard output. Nothing is queued: a drain gives
 * 0, or ZK_ERROR_WRITE_FAILED when samples since the open were lost; level,
 * mute and port requests give ZK_ERROR_INVALID_PARAMETERS. */
ZK_API int32_t file_output_module_register(ZK_OutputModule* module);
/* Wave devices: "" or "/dev/wave/0" the default device, "/dev/wave/N" device
 * N; the last device is the silent device (also used when ZELKOR_AUDIO=null
 * or the default device cannot be opened). */
ZK_API int32_t audio_output_module_register(ZK_OutputModule* module);

/* ======================================================================== */
/* Control messages                                                         */
/* ======================================================================== */

typedef enum ZK_MessageCode {
    ZK_MSG_UNKNOWN = 0,
    ZK_MSG_COMMAND_EXIT = 1,
    ZK_MSG_COMMAND_PING = 2,
    ZK_MSG_COMMAND_PLAY = 3,
    ZK_MSG_COMMAND_PAUSE = 4,
    ZK_MSG_COMMAND_STOP = 5,
    ZK_MSG_COMMAND_SEEK = 6,
    ZK_MSG_COMMAND_INPUT_OPEN = 7,
    ZK_MSG_COMMAND_INPUT_CLOSE = 8,
    ZK_MSG_COMMAND_INPUT_SEND_MESSAGE = 9,
    ZK_MSG_COMMAND_INPUT_ADD_FILTER = 10,
    ZK_MSG_COMMAND_INPUT_REMOVE_FILTER = 11,
    ZK_MSG_COMMAND_INPUT_FILTERS_LIST = 12,
    ZK_MSG_COMMAND_INPUT_MODULE_REGISTER = 13,
    ZK_MSG_COMMAND_INPUT_MODULE_QUERY = 14,
    ZK_MSG_COMMAND_INPUT_MODULES_LIST = 15,
    ZK_MSG_COMMAND_OUTPUT_OPEN = 16,
    ZK_MSG_COMMAND_OUTPUT_CLOSE = 17,
    ZK_MSG_COMMAND_OUTPUT_SEND_MESSAGE = 18,
    ZK_MSG_COMMAND_OUTPUT_MUTE = 19,
    ZK_MSG_COMMAND_OUTPUT_UNMUTE = 20,
    ZK_MSG_COMMAND_OUTPUT_RESET = 21,
    ZK_MSG_COMMAND_OUTPUT_DRAIN = 22,
    ZK_MSG_COMMAND_OUTPUT_ADD_FILTER = 23,
    ZK_MSG_COMMAND_OUTPUT_REMOVE_FITLER = 24,
    ZK_MSG_COMMAND_OUTPUT_FILTERS_LIST = 25,
    ZK_MSG_COMMAND_OUTPUT_MODULE_REGISTER = 26,
    ZK_MSG_COMMAND_OUTPUT_MODULE_QUERY = 27,
    ZK_MSG_COMMAND_OUTPUT_MODULES_LIST = 28,
    ZK_MSG_SET_PLAYER_MODE = 29,
    ZK_MSG_GET_PLAYER_MODE = 30,
    ZK_MSG_SET_PLAYER_ENVIRONMENT_INTEGER = 31,
    ZK_MSG_GET_PLAYER_ENVIRONMENT_INTEGER = 32,
    ZK_MSG_SET_PLAYER_ENVIRONMENT_STRING = 33,
    ZK_MSG_GET_PLAYER_ENVIRONMENT_STRING = 34,
    ZK_MSG_UNSET_PLAYER_ENVIRONMENT = 35,
    ZK_MSG_SET_INPUT_NAME = 36,
    ZK_MSG_GET_INPUT_NAME = 37,
    ZK_MSG_SET_INPUT_MODULE = 38,
    ZK_MSG_GET_INPUT_MODULE = 39,
    ZK_MSG_SET_INPUT_POSITION_RANGE = 40,
    ZK_MSG_GET_INPUT_POSITION_RANGE = 41,
    ZK_MSG_SET_INPUT_TIMECODE_GRANULARITY = 42,
    ZK_MSG_GET_INPUT_TIMECODE_GRANULARITY = 43,
    ZK_MSG_SET_OUTPUT_NAME = 44,
    ZK_MSG_GET_OUTPUT_NAME = 45,
    ZK_MSG_SET_OUTPUT_MODULE = 46,
    ZK_MSG_GET_OUTPUT_MODULE = 47,
    ZK_MSG_SET_OUTPUT_VOLUME = 48,
    ZK_MSG_GET_OUTPUT_VOLUME = 49,
    ZK_MSG_SET_OUTPUT_CHANNELS = 50,
    ZK_MSG_GET_OUTPUT_CHANNELS = 51,
    ZK_MSG_SET_OUTPUT_PORTS = 52,
    ZK_MSG_GET_OUTPUT_PORTS = 53,
    ZK_MSG_SET_FEEDBACK_RATE = 54,
    ZK_MSG_GET_FEEDBACK_RATE = 55,
    ZK_MSG_SET_CODEC_EQUALIZER = 56,
    ZK_MSG_GET_CODEC_EQUALIZER = 57,
    ZK_MSG_SET_NOTIFICATION_MASK = 58,
    ZK_MSG_GET_NOTIFICATION_MASK = 59,
    ZK_MSG_SET_DEBUG_LEVEL = 60,
    ZK_MSG_GET_DEBUG_LEVEL = 61,
    ZK_MSG_NOTIFY_READY = 62,
    ZK_MSG_NOTIFY_ACK = 63,
    ZK_MSG_NOTIFY_NACK = 64,
    ZK_MSG_NOTIFY_PONG = 65,
    ZK_MSG_NOTIFY_EXITED = 66,
    ZK_MSG_NOTIFY_PLAYER_STATE = 67,
    ZK_MSG_NOTIFY_PLAYER_MODE = 68,
    ZK_MSG_NOTIFY_PLAYER_ENVIRONMENT_INTEGER = 69,
    ZK_MSG_NOTIFY_PLAYER_ENVIRONMENT_STRING = 70,
    ZK_MSG_NOTIFY_INPUT_STATE = 71,
    ZK_MSG_NOTIFY_INPUT_NAME = 72,
    ZK_MSG_NOTIFY_INPUT_CAPS = 73,
    ZK_MSG_NOTIFY_INPUT_POSITION = 74,
    ZK_MSG_NOTIFY_INPUT_POSITION_RANGE = 75,
    ZK_MSG_NOTIFY_INPUT_TIMECODE = 76,
    ZK_MSG_NOTIFY_INPUT_TIMECODE_GRANULARITY = 77,
    ZK_MSG_NOTIFY_INPUT_DURATION = 78,
    ZK_MSG_NOTIFY_INPUT_STREAM_INFO = 79,
    ZK_MSG_NOTIFY_INPUT_MODULE = 80,
    ZK_MSG_NOTIFY_INPUT_MODULE_INFO = 81,
    ZK_MSG_NOTIFY_INPUT_DEVICE_INFO = 82,
    ZK_MSG_NOTIFY_INPUT_FILTER_INFO = 83,
    ZK_MSG_NOTIFY_OUTPUT_STATE = 84,
    ZK_MSG_NOTIFY_OUTPUT_NAME = 85,
    ZK_MSG_NOTIFY_OUTPUT_CAPS = 86,
    ZK_MSG_NOTIFY_OUTPUT_VOLUME = 87,
    ZK_MSG_NOTIFY_OUTPUT_BALANCE = 88,
    ZK_MSG_NOTIFY_OUTPUT_PCM_LEVEL = 89,
    ZK_MSG_NOTIFY_OUTPUT_MASTER_LEVEL = 90,
    ZK_MSG_NOTIFY_OUTPUT_CHANNELS = 91,
    ZK_MSG_NOTIFY_OUTPUT_PORTS = 92,
    ZK_MSG_NOTIFY_OUTPUT_FEEDBACK_RATE = 93,
    ZK_MSG_NOTIFY_OUTPUT_MODULE = 94,
    ZK_MSG_NOTIFY_OUTPUT_MODULE_INFO = 95,
    ZK_MSG_NOTIFY_OUTPUT_DEVICE_INFO = 96,
    ZK_MSG_NOTIFY_OUTPUT_FILTER_INFO = 97,
    ZK_MSG_NOTIFY_CODEC_EQUALIZER = 98,
    ZK_MSG_NOTIFY_NOTIFICATION_MASK = 99,
    ZK_MSG_NOTIFY_DEBUG_LEVEL = 100,
    ZK_MSG_NOTIFY_PROGRESS = 101,
    ZK_MSG_NOTIFY_DEBUG = 102,
    ZK_MSG_NOTIFY_ERROR = 103,
    ZK_MSG_QUEUE_FEEDBACK_EVENT = 104,
    ZK_MSG_QUEUE_TAG_EVENT = 105,
    ZK_MSG_COMMAND_FEEDBACK_PAUSE = 106,
    ZK_MSG_COMMAND_FEEDBACK_RESTART = 107,
    ZK_MSG_COMMAND_FEEDBACK_FLUSH = 108,
    ZK_MSG_NOTIFY_FEEDBACK_EVENT = 109,
    ZK_MSG_NOTIFY_TAG_EVENT = 110,
    /* The title a radio stream plays now (payload: name = the title, possibly
     * empty) and the station's name (name = the name). Sent when the server
     * tells them, subject to ZK_NOTIFY_MASK_INPUT_STREAM_TITLE; clients that
     * do not know these codes ignore them. */
    ZK_MSG_NOTIFY_INPUT_STREAM_TITLE = 111,
    ZK_MSG_NOTIFY_INPUT_STREAM_NAME = 112
} ZK_MessageCode;

#define ZK_MSG_COUNT 113
/* Window (port) message number of a code: ZK_WINDOW_MESSAGE_BASE + code. */
#define ZK_WINDOW_MESSAGE_BASE 0x9000u

/* One control message: a code and the payload shape that code uses. A message
 * never owns what its pointers refer to: a received message points into the
 * receiving thread's channel slot (valid until that thread converts its next
 * message) or into the buffer it was deserialised from. */
typedef struct ZK_Message {
    uint32_t code; /* ZK_MessageCode */
    union {
        struct {
            int32_t tag;
        } tag; /* ping, pong */
        struct {
            uint32_t offset;
            uint32_t range;
        } seek; /* seek, position */
        struct {
            const char* name;
        } name; /* open, names, register */
        struct {
            uint16_t type;
            uint16_t size;
            const void* data;
        } module_message;
        struct {
            int16_t id; /* output filters: where */
            const char* name;
        } filter;
        struct {
            int16_t id;
        } module_id;
        union {
            uint32_t mode, range, granularity, mask, caps, duration;
        } value;
        struct {
            const char* name;
            int32_t value;
        } environment_integer;
        struct {
            const char* name;
            const char* value;
        } environment_string;
        struct {
            uint8_t master_level;
            uint8_t pcm_level;
            uint8_t balance;
        } volume;
        union {
            uint8_t channels, ports, rate, level, command, state;
        } byte;
        struct {
            const int8_t* equalizer; /* 64 bands: 32 left, 32 right; or null */
        } equalizer;
        struct {
            uint8_t command;
            int16_t code;
        } nack;
        struct {
            uint8_t hours;
            uint8_t minutes;
            uint8_t seconds;
            uint8_t fractions;
        } timecode;
        struct {
            uint8_t level;
            uint8_t layer;
            uint16_t bitrate;
            uint16_t frequency;
            uint8_t mode;
        } stream_info;
        struct {
            uint8_t id;
            uint8_t nb_devices;
            const char* name;
            const char* description;
        } module_info;
        struct {
            uint8_t module_id;
            uint8_t index;
            uint8_t flags;
            const char* name;
            const char* description;
        } device_info;
        struct {
            uint8_t source;
            uint8_t code;
            int16_t value;
            const char* message;
        } progress;
        struct {
            uint8_t source;
            uint8_t level;
            const char* message;
        } debug;
        struct {
            uint8_t source;
            int16_t code;
            const char* message;
        } error;
        struct {
            uint32_t seconds;
            uint32_t mseconds; /* sub-second part, microseconds */
            uint16_t channels;
            uint16_t nb_samples;
            const uint8_t* samples;
        } feedback_event;
        struct {
            uint32_t seconds;
            uint32_t mseconds;
            int32_t tag;
        } tag_event;
    };
} ZK_Message;

/* The opaque pair of a client thread and a procedure thread. */
typedef struct ZK_ControlChannel ZK_ControlChannel;

/* A "window handle": the write end of a message port (see below). */
typedef intptr_t ZK_WindowHandle;

/*
 * Message ports: how a client with an event loop receives notifications.
 *
 *  1. Create a non-blocking pipe: int fds[2]; pipe2(fds, O_NONBLOCK | O_CLOEXEC).
 *  2. Pass the write end as the window handle:
 *        ZK_WindowHandle port = fds[1]; player_new(&channel, &port);
 *  3. Watch the read end in the event loop (a QSocketNotifier, poll, ...). Each
 *     post is one ZK_PortRecord written atomically. Read whole records and,
 *     on the thread that called player_new, convert each:
 *        control_win32_params_to_message(channel, &message, r.message, r.wparam, r.lparam);
 *     Records whose number is not ZK_WINDOW_MESSAGE_BASE + 1..112 are not engine
 *     messages. Every record must be converted: the conversion frees the
 *     payload copies that travel with it.
 *  4. Convert what is still waiting on the port, then call player_delete (the
 *     exit notification posted meanwhile carries no payload), then close both
 *     ends.
 * A full pipe refuses the post; the sender gets ZK_ERROR_POST_FAILED.
 */
typedef struct ZK_PortRecord {
    uint32_t message;  /* ZK_WINDOW_MESSAGE_BASE + code */
    uint32_t reserved; /* 0 */
    uintptr_t wparam;
    intptr_t lparam;
} ZK_PortRecord;

/* A procedure run on its own thread by control_procedure_new. */
typedef int32_t (*ZK_ControlProcedure)(ZK_ControlChannel* channel, void* user);

/* Starts a thread running procedure(channel, user). With window non-null,
 * what the procedure sends is posted to that port; otherwise it is queued
 * for the calling thread (control_message_get / control_message_wait). Only
 * the calling thread may then send on the channel or convert its messages. */
ZK_API int32_t control_procedure_new(ZK_ControlChannel** channel, const ZK_WindowHandle* window,
                                     ZK_ControlProcedure procedure, void* user);
/* Sends ZK_MSG_COMMAND_EXIT, waits at most 10 s for the procedure to end and
 * frees the channel; 0. A procedure that does not end in time is left
 * running and its channel is not freed (still 0). ZK_FAILURE at once, with
 * nothing sent, when the calling thread has no slot on the channel. */
ZK_API int32_t control_procedure_delete(ZK_ControlChannel* channel);
/* Sets the procedure thread's priority (ZK_CONTROL_PRIORITY_*); 0,
 * ZK_ERROR_INVALID_PARAMETERS for another value, ZK_FAILURE when the calling
 * thread has no slot on the channel. */
ZK_API int32_t control_procedure_set_priority(ZK_ControlChannel* channel, int32_t priority);

/* The player: control_procedure_new with the engine's player procedure. It
 * sends ZK_MSG_NOTIFY_READY once it is initialised.
 * Each command is answered by ZK_MSG_NOTIFY_ACK, or by ZK_MSG_NOTIFY_NACK
 * with the command and the error, which leaves the setting as it was:
 * ZK_ERROR_INVALID_PARAMETERS for an output channel selection above
 * ZK_OUTPUT_CHANNELS_MIX, a seek or position range or a timecode granularity
 * of 0, and
 * an INPUT.STREAM.* integer the network input cannot work with (rules at
 * stream_input_module_register).
 * While playing, a step whose error cannot heal (a failed read or write,
 * ZK_ERROR_NO_AUDIO, invalid parameters, an internal error), 100 invalid
 * frames in a row or 30 s of ZK_ERROR_TIMEOUT end the track: the player
 * notifies ZK_MSG_NOTIFY_ERROR (source 0, the code, its text), then
 * ZK_MSG_NOTIFY_PLAYER_STATE ZK_PLAYER_STATE_STOPPED, and waits for commands
 * with input and output still open. The end of the input gives
 * ZK_PLAYER_STATE_EOF instead. */
ZK_API int32_t player_new(ZK_ControlChannel** channel, const ZK_WindowHandle* window);
/* As control_procedure_delete: the player deletes its decoder and ends. */
ZK_API int32_t player_delete(ZK_ControlChannel* channel);
/* As control_procedure_set_priority. */
ZK_API int32_t player_set_priority(ZK_ControlChannel* channel, int32_t priority);
/* The ZK_CONTROL_PRIORITY_* last set (or time-critical, HIGHEST, at start);
 * ZK_ERROR_INVALID_PARAMETERS for a null channel. */
ZK_API int32_t player_get_priority(ZK_ControlChannel* channel);

/* Builds a message from code and the further arguments in the payload's send
 * order (integers as int, strings and data as pointers) and posts it to the
 * peer; 0. ZK_ERROR_INVALID_MESSAGE for codes not sendable (0, 87, 106-108,
 * above 112), ZK_ERROR_OUT_OF_MEMORY when a payload copy cannot be made,
 * ZK_ERROR_POST_FAILED when the post is refused, ZK_FAILURE when the calling
 * thread has no slot on the channel, ZK_ERROR_INVALID_PARAMETERS for a module
 * message whose size is negative or above 4096 bytes (what a channel slot
 * carries). */
ZK_API int32_t control_message_send(ZK_ControlChannel* channel, uint32_t code, ...);
/* Fixed-arity forms of control_message_send for callers without C varargs
 * (N none, P pointer, S string, I integer, in argument order); the same
 * results. */
ZK_API int32_t control_message_send_N(ZK_ControlChannel* channel, uint32_t code);
ZK_API int32_t control_message_send_P(ZK_ControlChannel* channel, uint32_t code, const void* p);
ZK_API int32_t control_message_send_S(ZK_ControlChannel* channel, uint32_t code, const char* s);
ZK_API int32_t control_message_send_SS(ZK_ControlChannel* channel, uint32_t code, const char* s1, const char* s2);
ZK_API int32_t control_message_send_SI(ZK_ControlChannel* channel, uint32_t code, const char* s, int32_t i);
ZK_API int32_t control_message_send_I(ZK_ControlChannel* channel, uint32_t code, int32_t i);
ZK_API int32_t control_message_send_II(ZK_ControlChannel* channel, uint32_t code, int32_t i1, int32_t i2);
ZK_API int32_t control_message_send_III(ZK_ControlChannel* channel, uint32_t code, int32_t i1, int32_t i2, int32_t i3);
ZK_API int32_t control_message_send_IIII(ZK_ControlChannel* channel, uint32_t code, int32_t i1, int32_t i2, int32_t i3,
                                         int32_t i4);
ZK_API int32_t control_message_send_IPI(ZK_ControlChannel* channel, uint32_t code, int32_t i1, const void* p,
                                        int32_t i2);

/* 1 when a message was taken and converted, 0 when none is waiting; never
 * blocks. ZK_FAILURE when the calling thread has no slot on the channel. */
ZK_API int32_t control_message_get(ZK_ControlChannel* channel, ZK_Message* message);
/* Waits up to timeout microseconds (-1: no limit) for the next message and
 * converts it; 0, ZK_ERROR_TIMEOUT on expiry, ZK_FAILURE when the calling
 * thread has no slot on the channel. */
ZK_API int32_t control_message_wait(ZK_ControlChannel* channel, ZK_Message* message, int32_t timeout);

/* Packs a message for window carriage (heap copies travel with it); 0,
 * ZK_ERROR_OUT_OF_MEMORY when a copy cannot be made,
 * ZK_ERROR_INVALID_PARAMETERS for a module message above 4096 bytes. */
ZK_API int32_t control_message_to_win32_params(const ZK_Message* message, uint32_t* number, uintptr_t* wparam,
                                               intptr_t* lparam);
/* Unpacks a carried message on the receiving thread into its slot buffer and
 * frees the copies; 0, ZK_FAILURE when the calling thread has no slot on the
 * channel. */
ZK_API int32_t control_win32_params_to_message(ZK_ControlChannel* channel, ZK_Message* message, uint32_t number,
                                               uintptr_t wparam, intptr_t lparam);

/* Serialises into buffer: the byte count, 0 for an unserialisable code, or
 * -(bytes needed) when size is too small. */
ZK_API int32_t control_message_to_bytes(const ZK_Message* message, uint8_t* buffer, int32_t size);
/* Deserialises; strings and data point into bytes, which must outlive the
 * message. 0, ZK_ERROR_INVALID_MESSAGE for a code that is not allowed,
 * ZK_ERROR_INTERNAL when malformed. Reads as
 * many bytes as the block's length field claims: prefer the sized form for
 * bytes of unknown origin. */
ZK_API int32_t control_message_from_bytes(ZK_Message* message, const uint8_t* bytes);
/* As control_message_from_bytes, never reading beyond size bytes
 * (ZK_ERROR_INTERNAL when the block claims more). */
ZK_API int32_t control_message_from_bytes_sized(ZK_Message* message, const uint8_t* bytes, size_t size);

/* The debug text of a message, e.g. "MSG command seek [offset=5, range=400]";
 * 0. The text buffer must be large enough (2048 bytes); prefer the sized form. */
ZK_API int32_t control_message_sprint(char* text, const ZK_Message* message);
/* As control_message_sprint into size bytes, cut to fit; returns the length written. */
ZK_API int32_t control_message_snprint(char* text, size_t size, const ZK_Message* message);
/* Writes the debug text and a newline to standard output; 0. */
ZK_API int32_t control_message_print(const ZK_Message* message);

#ifdef __cplusplus
}
#endif

#endif /* ZELKOR_H */
