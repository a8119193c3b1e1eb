/*
 * devsearch.h: the discovery engine's public interface.
 *
 * This header is the whole published interface of libdevsearch. A function or
 * type that does not appear here is not part of it.
 *
 * The engine finds network cameras on the local network. It multicasts a small
 * text request (SEARCH) over UDP to a group, reads the cameras' announcements
 * from the same group and port, and sends configuration commands (CMD) to one
 * camera at a time, named by its 32-character device id. Answers arrive through
 * two callbacks that the engine calls on a thread of its own.
 *
 * Think of a SearchSession pointer as an object. DevSearch_Create() is its
 * constructor and DevSearch_Destroy() its destructor; every other function that
 * takes one is a method of it. A session owns one socket that listens on the
 * group, up to 20 sockets that send from the PC's local addresses, a receive
 * thread and a worker thread.
 *
 * Calling order: create, register the callbacks, hand over the local
 * addresses, then search and send commands as often as wanted, then destroy.
 *
 * Text fields in the records below are fixed-size arrays; the size includes
 * the terminating NUL, so a field holds one character less than its size.
 * The record layout is part of the binary interface: callers in other languages
 * map these structures byte for byte (sizeof(DeviceRecord) is 540).
 *
 * The engine writes short diagnostic lines prefixed "<DevSearch>" to standard
 * output and never shows anything to the user.
 */
#ifndef DEVSEARCH_H
#define DEVSEARCH_H

#include <stdint.h>

/*
 * On Windows the library is devsearch.dll; its export list (devsearch.def)
 * names exactly the functions below. Programs that link the DLL import them;
 * the library's own sources and static builds define DEVSEARCH_NO_DLLIMPORT.
 */
#if defined(_WIN32)
#if defined(DEVSEARCH_NO_DLLIMPORT)
#define DEVSEARCH_API
#else
#define DEVSEARCH_API __declspec(dllimport)
#endif
#else
#define DEVSEARCH_API __attribute__((visibility("default")))
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* An open discovery session. Opaque: only the engine looks inside. */
typedef struct SearchSession SearchSession;

/*
 * The one callback type, used for announcements and for command answers.
 *
 * session  the session that received the datagram.
 * status   "200" for an announcement or an accepted command, "401" for a
 *          command whose user name or password was refused, "403" for a
 *          refused command. Valid only during the call.
 * data     search callback: the DeviceRecord just parsed, valid only during
 *          the call; copy it to keep it. Command callback: zero-filled
 *          storage that carries nothing.
 * user     the pointer given when the callback was registered.
 *
 * The result is ignored.
 *
 * Both callbacks run on the session's worker thread, one at a time, never on
 * the caller's thread and never two at once. A callback may call
 * DevSearch_Search() and DevSearch_SendCommand() on its own session. It must
 * not call DevSearch_Destroy() on its own session, and while a callback runs
 * the worker delivers nothing else, so a callback that blocks holds up every
 * later answer.
 */
typedef int (*DevSearchCallback)(SearchSession *session, const char *status, const void *data,
                                 void *user);

/* Result codes. Every function of this interface returns one of them. */
enum {
  DEVSEARCH_OK = 0,                /* Success. */
  DEVSEARCH_ERR_NOT_READY = 6,     /* Session not set up, or no local address to search from. */
  DEVSEARCH_ERR_NO_MEMORY = 287,   /* The session could not be allocated. */
  DEVSEARCH_ERR_INVALID_ARG = 543, /* Null pointer, bad count, bad device id, kind or value. */
  DEVSEARCH_ERR_SOCKET = 1055,     /* The group socket could not be opened. */
  DEVSEARCH_ERR_THREAD = 2335      /* A thread could not be started. */
};

/* Command kinds of DevSearch_SendCommand() and the parameter each takes. */
enum {
  CMD_NETCONF = 1,    /* const NetworkSettings *: address, mask, gateway, DHCP, DNS. */
  CMD_HTTPPORT = 2,   /* const char *: the new HTTP port as decimal text. */
  CMD_DDNSSET = 3,    /* const DdnsSettings *: the dynamic-DNS account. */
  CMD_DEVIDSET = 4,   /* const char *: the new device id. */
  CMD_IDENTIFYSET = 5 /* const VendorIdentity *: vendor, product and device type. */
};

/* IP settings of a device; also the parameter of CMD_NETCONF. */
typedef struct NetworkSettings {
  char ipAddress[16];    /* "IP=": IPv4 address, dotted decimal. */
  char netmask[16];      /* "MASK=": subnet mask. */
  char macAddress[18];   /* "MAC=": hardware address text; tells devices apart. */
  char gateway[16];      /* "Gateway=": default gateway. */
  int32_t dhcp;          /* "Dhcp=": 1 when the device takes its address from DHCP. */
  int32_t dnsStat;       /* "Ddns=": DNS state flag, sent back as "-dnsstat". */
  char primaryDns[16];   /* "Fdns=": first DNS server. */
  char secondaryDns[16]; /* "Sdns=": second DNS server. */
} NetworkSettings;

/* Dynamic-DNS account of a device; also the parameter of CMD_DDNSSET. */
typedef struct DdnsSettings {
  int32_t enable;    /* "DDNS-Enable=" */
  char server[32];   /* "DDNS-Host=" */
  int32_t port;      /* "DDNS-Port=" */
  char user[32];     /* "DDNS-User=" */
  char password[32]; /* "DDNS-Passwd=" */
  char domain[32];   /* "DDNS-Domain=" */
} DdnsSettings;

/* Vendor identity of a device; also the parameter of CMD_IDENTIFYSET. */
typedef struct VendorIdentity {
  char vendor[32];     /* "C_Vendor=" */
  char product[32];    /* "C_Product=" */
  char deviceType[32]; /* "Device-Type=" */
} VendorIdentity;

/*
 * One device as described by one announcement. A key missing from the
 * announcement leaves its field empty or 0. The five address fields of
 * NetworkSettings (ipAddress, netmask, gateway, primaryDns, secondaryDns)
 * hold "0.0.0.0" when their key is present with an empty value. A value
 * longer than its field is cut to the field's size minus one.
 */
typedef struct DeviceRecord {
  char deviceId[33];        /* "Device-ID=": 32 characters; commands are addressed by it. */
  char deviceModel[41];     /* "Device-Model=" */
  char softwareVersion[33]; /* "Software-Version=": firmware version. */
  char webVersion[33];      /* "Web-Version=": version of the web pages. */
  char deviceName[41];      /* "Device-Name=" */
  char httpPort[19];        /* "Http-Port=": decimal text. */
  NetworkSettings network;
  DdnsSettings ddns;
  VendorIdentity identity;
} DeviceRecord;

/* The device a command is meant for. */
typedef struct CommandTarget {
  const char *deviceId; /* Exactly 32 characters: the target's DeviceRecord.deviceId. */
  const char *user;     /* Viewing account; NULL or "" sends an empty name. */
  const char *password; /* Its password; NULL or "" sends an empty password. */
} CommandTarget;

/*
 * DevSearch_Create: open a session. CONSTRUCTOR.
 *
 * Opens a UDP socket bound to the wildcard address and port, joins the
 * multicast group groupAddress (dotted decimal, for instance
 * "239.255.255.250") on it, gives the session a fresh Client-ID of 32 random
 * letters, and starts the receive and worker threads. Only the low 16 bits of
 * port are used. sendTimeoutSec bounds how long one send waits for its socket
 * to become writable; a negative value counts as 0.
 *
 * This first join is made on the adapter that the route for the group (or
 * the default route) leads to. A failed join is written to standard output
 * and is not an error: the first search joins again on every local address
 * (see DevSearch_Search()).
 *
 * On success *outSession receives the new handle, owned by the caller until
 * DevSearch_Destroy(). On failure *outSession is left untouched.
 *
 * Returns:
 *   DEVSEARCH_OK               the session runs.
 *   DEVSEARCH_ERR_INVALID_ARG  groupAddress or outSession is NULL.
 *   DEVSEARCH_ERR_SOCKET       the group socket could not be created or bound.
 *   DEVSEARCH_ERR_NO_MEMORY    the session could not be allocated.
 *   DEVSEARCH_ERR_THREAD       a thread could not be started.
 */
DEVSEARCH_API int DevSearch_Create(const char *groupAddress, int port, int sendTimeoutSec,
                                   SearchSession **outSession);

/*
 * DevSearch_Destroy: close a session. DESTRUCTOR.
 *
 * Tells both threads to stop, wakes the receive thread from its wait on the
 * group socket, and joins both threads; only then closes the send sockets and
 * the group socket, so that no thread can still use a socket being closed.
 * Datagrams received but not yet handled are discarded without callbacks, and
 * the session is freed. When it returns, no callback of this session runs or
 * will run, and the handle is invalid.
 *
 * Destroy waits for a callback that is running to return. It must not be
 * called from inside one of the session's callbacks; if it is, it refuses
 * with DEVSEARCH_ERR_INVALID_ARG and leaves the session running.
 *
 * Returns:
 *   DEVSEARCH_OK               the session is gone.
 *   DEVSEARCH_ERR_INVALID_ARG  session is NULL (a harmless no-op), or the call
 *                              came from one of the session's callbacks.
 *   DEVSEARCH_ERR_NOT_READY    the session was never set up.
 */
DEVSEARCH_API int DevSearch_Destroy(SearchSession *session);

/*
 * DevSearch_SetSearchCallback, DevSearch_SetCommandCallback: register the
 * callback for announcements and for command answers. METHOD.
 *
 * The first registration of a non-NULL callback stays for the life of the
 * session: a later call leaves it, and its user pointer, in place and still
 * returns DEVSEARCH_OK. Registering NULL changes nothing. Safe to call from
 * any thread; register before searching so that no answer finds it unset.
 *
 * Returns:
 *   DEVSEARCH_OK               registered, or already registered before.
 *   DEVSEARCH_ERR_INVALID_ARG  session is NULL.
 *   DEVSEARCH_ERR_NOT_READY    the session was never set up.
 */
DEVSEARCH_API int DevSearch_SetSearchCallback(SearchSession *session, DevSearchCallback callback,
                                              void *user);
DEVSEARCH_API int DevSearch_SetCommandCallback(SearchSession *session, DevSearchCallback callback,
                                               void *user);

/*
 * DevSearch_SetLocalAddresses: hand over the PC's IPv4 addresses.
 *
 * addresses is an array of count entries, each a NUL-terminated dotted-decimal
 * text in a slot of 16 characters. The table is process-wide, not tied to a
 * session: the call empties it and copies at most the first 20 entries in
 * order. A session reads the table once, at its first search, and opens one
 * send socket per address then; later changes reach only sessions that have
 * not searched yet. Safe to call from any thread.
 *
 * Returns:
 *   DEVSEARCH_OK               the table holds the new addresses.
 *   DEVSEARCH_ERR_INVALID_ARG  addresses is NULL or count is 0 or less; the
 *                              table is left as it was.
 */
DEVSEARCH_API int DevSearch_SetLocalAddresses(const char (*addresses)[16], int count);

/*
 * DevSearch_Search: multicast one SEARCH request. METHOD.
 *
 * The first search of a session opens one send socket per address of the
 * local address table, bound to that address and the session's port, and
 * makes the group socket join the group on each of these addresses too, so
 * that answers are heard on every adapter the request went out on. An address
 * whose join or socket fails is skipped for that step alone, with a line on
 * standard output; the sockets are never opened again.
 *
 * The request goes to the group over every open send socket, each send
 * waiting at most sendTimeoutSec for its socket. Failures on single sockets
 * are not reported. Every device that hears the request answers with an
 * announcement, which reaches the search callback; announcements are not
 * matched to the search that caused them. Does not wait for any answer.
 *
 * Safe to call from any thread, including from inside a callback.
 *
 * Returns:
 *   DEVSEARCH_OK               handed to every open send socket (possibly none).
 *   DEVSEARCH_ERR_INVALID_ARG  session is NULL.
 *   DEVSEARCH_ERR_NOT_READY    the session was never set up, or this is its
 *                              first search and the local address table is
 *                              empty; nothing was sent and the request number
 *                              was not used.
 */
DEVSEARCH_API int DevSearch_Search(SearchSession *session);

/*
 * DevSearch_SendCommand: multicast one CMD request to one device. METHOD.
 *
 * target names the device by its 32-character id and carries the user name
 * and password, which go out as plain text in an "Authorization:Basic" line.
 * kind is one of the CMD_ values above and params points to that kind's
 * parameter; every value is inserted into the command line unchanged. The
 * request is entered into the session's table of the last 50 commands before
 * it is sent, so that the answer, when it comes, reaches the command callback
 * exactly once as "200", "401" or "403". There is no time-out: a command that
 * gets no answer is never reported. A result of DEVSEARCH_OK says nothing
 * about the device's answer.
 *
 * The request is sent over the send sockets that the session's first search
 * opened; before the first search there are none, and the command goes
 * nowhere (it still returns DEVSEARCH_OK).
 *
 * Safe to call from any thread, including from inside a callback. Two
 * requests issued at once from two threads get distinct request numbers.
 *
 * Returns:
 *   DEVSEARCH_OK               handed to every open send socket (possibly none).
 *   DEVSEARCH_ERR_INVALID_ARG  session, target, target->deviceId or params is
 *                              NULL; the device id is not exactly 32
 *                              characters; kind is unknown; the device id,
 *                              user name, password or a text value contains a
 *                              CR or LF; or the request would exceed 1023
 *                              characters. Nothing was sent and the request
 *                              number was not used.
 *   DEVSEARCH_ERR_NOT_READY    the session was never set up.
 */
DEVSEARCH_API int DevSearch_SendCommand(SearchSession *session, const CommandTarget *target,
                                        int kind, const void *params);

#ifdef __cplusplus
} /* extern "C" */
#endif

#endif /* DEVSEARCH_H */
