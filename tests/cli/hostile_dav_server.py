#!/usr/bin/env python3
"""A calendar server that misbehaves on purpose, for the command-line tests.

Listens on the loopback address only and writes its port to the file given as first argument. The
first part of each path picks the misbehaviour; every loop has a bound, so a client that never stops
reading still sees the server stop. PUT requests are noted, one line each, in the file given as
second argument: a hostile answer must never lead to anything being written.
"""
import http.server
import socketserver
import sys
import time

CALENDAR = (b'<?xml version="1.0" encoding="utf-8"?><D:multistatus xmlns:D="DAV:" '
            b'xmlns:C="urn:ietf:params:xml:ns:caldav"><D:response><D:href>/c/</D:href><D:propstat><D:prop>'
            b'<D:resourcetype><D:collection/><C:calendar/></D:resourcetype></D:prop>'
            b'<D:status>HTTP/1.1 200 OK</D:status></D:propstat></D:response></D:multistatus>')
MB = 1 << 20


def deep(levels):
    return (b'<D:multistatus xmlns:D="DAV:">' + b'<D:x>' * levels + b'</D:x>' * levels + b'</D:multistatus>')


class Handler(http.server.BaseHTTPRequestHandler):
    protocol_version = 'HTTP/1.1'

    def log_message(self, *args):
        pass

    def head(self, status, length=None, extra=()):
        self.send_response(status)
        self.send_header('Content-Type', 'application/xml')
        if length is not None:
            self.send_header('Content-Length', str(length))
        for name, value in extra:
            self.send_header(name, value)
        self.end_headers()

    def reply(self, body, status=207):
        self.head(status, len(body))
        self.wfile.write(body)

    def handle_any(self):
        self.rfile.read(int(self.headers.get('Content-Length') or 0))
        kind = self.path.strip('/').split('/')[0]
        method = self.command
        if method == 'PUT':
            with open(sys.argv[2], 'a') as log:
                log.write(self.path + '\n')
            self.head(201, 0)
            return
        # The hostile part comes with the first question (PROPFIND) unless it is about events.
        if kind == 'endless' and method == 'PROPFIND':
            self.head(207, extra=[('Transfer-Encoding', 'chunked')])
            chunk = b' ' * 65536
            for _ in range(64 * MB // len(chunk)):  # 64 MB, four times what a client may read
                self.wfile.write(b'%x\r\n%s\r\n' % (len(chunk), chunk))
            self.wfile.write(b'0\r\n\r\n')
        elif kind == 'huge' and method == 'PROPFIND':
            self.head(207, 1 << 40)
            for _ in range(64):
                self.wfile.write(b' ' * MB)
        elif kind == 'drip' and method == 'PROPFIND':
            self.head(207, len(CALENDAR))
            for byte in CALENDAR[:200]:  # a byte every 0.2 s: 40 s at most
                self.wfile.write(bytes([byte]))
                self.wfile.flush()
                time.sleep(0.2)
        elif kind == 'redirect':
            self.head(301, 0, [('Location', 'http://127.0.0.1:9/elsewhere/')])
        elif kind == 'deep' and method == 'REPORT':
            self.reply(deep(100000))
        elif kind == 'longline' and method == 'REPORT':
            # One line of 8 MB in the event's text.
            event = (b'BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//t//EN\r\nBEGIN:VEVENT\r\nUID:1@t\r\n'
                     b'DTSTAMP:20260101T000000Z\r\nDTSTART;VALUE=DATE:20260320\r\nSUMMARY:' + b'x' * (8 * MB)
                     + b'\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n')
            self.reply(b'<D:multistatus xmlns:D="DAV:" xmlns:C="urn:ietf:params:xml:ns:caldav"><D:response>'
                       b'<D:propstat><D:prop><C:calendar-data>' + event + b'</C:calendar-data></D:prop>'
                       b'</D:propstat></D:response></D:multistatus>')
        elif method == 'PROPFIND':
            self.reply(CALENDAR)
        else:
            self.reply(b'<D:multistatus xmlns:D="DAV:"/>')

    do_PROPFIND = do_REPORT = do_PUT = do_GET = handle_any


class Server(socketserver.ThreadingMixIn, http.server.HTTPServer):
    daemon_threads = True

    def handle_error(self, request, client_address):
        pass  # a client hanging up on an endless answer is what the tests want


server = Server(('127.0.0.1', 0), Handler)
with open(sys.argv[1] + '.tmp', 'w') as f:
    f.write(str(server.server_address[1]))
import os
os.rename(sys.argv[1] + '.tmp', sys.argv[1])
server.serve_forever()
