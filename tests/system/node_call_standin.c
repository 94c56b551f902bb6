/* A controller stand-in for the node call tests. Listens on UDP port 5680
 * and answers every discovery request (the 4 bytes 9F F9 00 00) with a
 * well-formed 64-byte answer sent to port 5680 of the requester.
 *
 *   node_call_standin [--name NAME] [--date WORD] [--time WORD] [--from ADDR]
 *                     [--repeat N] [--ready FILE] [--log FILE]
 *
 *   --name    server name, up to 16 bytes (default "STANDIN")
 *   --date    PackedDate word, decimal or 0x-hex (default: today)
 *   --time    PackedTime word (default: now)
 *   --offset  seconds added to this machine's clock for the date and time
 *             of each answer (a controller whose clock runs ahead, or behind
 *             when negative); overrides --date and --time
 *   --from    send answers from this local address (default: any)
 *   --repeat  answers per request (default 1)
 *   --ready   file created once the port is bound
 *   --log     file that gets one line per datagram received
 *
 * Runs until killed. Meant to run inside a test's own network namespace. */
#include <arpa/inet.h>
#include <netinet/in.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/socket.h>
#include <time.h>
#include <unistd.h>

enum { kPort = 5680, kRequestMagic = 63903, kAnswerMagic = 63902 };

static void put_word(unsigned char* b, uint32_t w)
{
    for (int i = 0; i < 4; ++i)
        b[i] = (unsigned char)(w >> (8 * i));
}

static uint32_t get_word(const unsigned char* b)
{
    return (uint32_t)b[0] | (uint32_t)b[1] << 8 | (uint32_t)b[2] << 16 | (uint32_t)b[3] << 24;
}

/* The PackedDate and PackedTime words of a moment in local time. */
static void clock_words(time_t t, uint32_t* date, uint32_t* timeWord)
{
    struct tm tm;
    localtime_r(&t, &tm);
    *date = (uint32_t)(tm.tm_mon + 1) | (uint32_t)tm.tm_mday << 8 | (uint32_t)(tm.tm_year + 1900) << 16;
    *timeWord = (uint32_t)tm.tm_hour | (uint32_t)tm.tm_min << 8 | (uint32_t)tm.tm_sec << 16;
}

static int usage(void)
{
    fprintf(stderr, "usage: node_call_standin [--name NAME] [--date WORD] [--time WORD] [--from ADDR]"
                    " [--offset SECONDS] [--repeat N] [--ready FILE] [--log FILE]\n");
    return 2;
}

int main(int argc, char** argv)
{
    const char *name = "STANDIN", *from = NULL, *ready = NULL, *logPath = NULL;
    int repeat = 1, haveDate = 0, haveTime = 0, haveOffset = 0;
    long offset = 0;
    uint32_t date = 0, timeWord = 0;
    for (int i = 1; i < argc; ++i) {
        if (i + 1 >= argc)
            return usage();
        const char *opt = argv[i], *val = argv[++i];
        if (!strcmp(opt, "--name"))
            name = val;
        else if (!strcmp(opt, "--date"))
            date = (uint32_t)strtoul(val, NULL, 0), haveDate = 1;
        else if (!strcmp(opt, "--time"))
            timeWord = (uint32_t)strtoul(val, NULL, 0), haveTime = 1;
        else if (!strcmp(opt, "--offset"))
            offset = strtol(val, NULL, 0), haveOffset = 1;
        else if (!strcmp(opt, "--from"))
            from = val;
        else if (!strcmp(opt, "--repeat"))
            repeat = atoi(val);
        else if (!strcmp(opt, "--ready"))
            ready = val;
        else if (!strcmp(opt, "--log"))
            logPath = val;
        else
            return usage();
    }
    if (!haveDate || !haveTime) {
        const time_t now = time(NULL);
        struct tm tm;
        localtime_r(&now, &tm);
        if (!haveDate)
            date =
                (uint32_t)(tm.tm_mon + 1) | (uint32_t)tm.tm_mday << 8 | (uint32_t)(tm.tm_year + 1900) << 16;
        if (!haveTime)
            timeWord = (uint32_t)tm.tm_hour | (uint32_t)tm.tm_min << 8 | (uint32_t)tm.tm_sec << 16;
    }

    unsigned char answer[64] = {0};
    put_word(answer, kAnswerMagic);
    put_word(answer + 12, date);
    put_word(answer + 16, timeWord);
    memcpy(answer + 20, name, strnlen(name, 16)); /* NUL-padded, no NUL when 16 long */

    /* The listening socket shares the port with other stand-ins in the
     * same namespace: each of them hears the broadcast. */
    const int on = 1;
    const int rx = socket(AF_INET, SOCK_DGRAM, 0);
    setsockopt(rx, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    struct sockaddr_in local = {0};
    local.sin_family = AF_INET;
    local.sin_port = htons(kPort);
    local.sin_addr.s_addr = htonl(INADDR_ANY);
    if (bind(rx, (struct sockaddr*)&local, sizeof local) < 0) {
        perror("node_call_standin: bind");
        return 1;
    }
    int tx = rx;
    if (from) {
        tx = socket(AF_INET, SOCK_DGRAM, 0);
        struct sockaddr_in src = {0};
        src.sin_family = AF_INET;
        if (inet_pton(AF_INET, from, &src.sin_addr) != 1 ||
            bind(tx, (struct sockaddr*)&src, sizeof src) < 0) {
            perror("node_call_standin: --from");
            return 1;
        }
    }
    if (ready) {
        FILE* f = fopen(ready, "w");
        if (f)
            fclose(f);
    }

    for (;;) {
        unsigned char buf[1500];
        struct sockaddr_in peer;
        socklen_t len = sizeof peer;
        const ssize_t n = recvfrom(rx, buf, sizeof buf, 0, (struct sockaddr*)&peer, &len);
        if (n < 0)
            continue;
        const int isRequest = n == 4 && get_word(buf) == kRequestMagic;
        if (logPath) {
            FILE* log = fopen(logPath, "a");
            if (log) {
                fprintf(log, "%s from %s bytes", isRequest ? "request" : "other", inet_ntoa(peer.sin_addr));
                for (ssize_t i = 0; i < n && i < 8; ++i)
                    fprintf(log, " %02x", buf[i]);
                fprintf(log, "\n");
                fclose(log);
            }
        }
        if (!isRequest)
            continue;
        peer.sin_port = htons(kPort); /* the client listens on 5680, not on its sending port */
        if (haveOffset) {
            /* The clock as it reads now, so the answer carries it whenever it is asked. */
            clock_words(time(NULL) + offset, &date, &timeWord);
            put_word(answer + 12, date);
            put_word(answer + 16, timeWord);
        }
        for (int i = 0; i < repeat; ++i)
            sendto(tx, answer, sizeof answer, 0, (struct sockaddr*)&peer, sizeof peer);
    }
}
