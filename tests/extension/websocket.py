"""A minimal WebSocket client (RFC 6455) for a browser's remote protocol on
127.0.0.1: text messages of JSON, one request at a time, so that the
browser tests need only Python's standard library. No Origin header is
sent: Firefox refuses a connection that carries one."""

import base64
import json
import os
import socket
import struct

TEXT, CLOSE, PING, PONG = 0x1, 0x8, 0x9, 0xA


class WebSocket:
    def __init__(self, port, path, timeout=60):
        self._socket = socket.create_connection(("127.0.0.1", port), timeout=timeout)
        key = base64.b64encode(os.urandom(16)).decode()
        self._socket.sendall(
            f"GET {path} HTTP/1.1\r\nHost: 127.0.0.1:{port}\r\nUpgrade: websocket\r\n"
            f"Connection: Upgrade\r\nSec-WebSocket-Key: {key}\r\nSec-WebSocket-Version: 13\r\n\r\n".encode()
        )
        self._buffer = b""
        while b"\r\n\r\n" not in self._buffer:
            self._fill()
        head, self._buffer = self._buffer.split(b"\r\n\r\n", 1)
        if not head.startswith(b"HTTP/1.1 101"):
            raise RuntimeError(f"no WebSocket at {port}{path}: {head.decode(errors='replace')}")
        self._next_id = 0

    def _fill(self):
        chunk = self._socket.recv(65536)
        if not chunk:
            raise RuntimeError("the browser closed the connection")
        self._buffer += chunk

    def _take(self, count):
        while len(self._buffer) < count:
            self._fill()
        taken, self._buffer = self._buffer[:count], self._buffer[count:]
        return taken

    def _send_frame(self, opcode, payload):
        # A client masks every frame it sends.
        mask = os.urandom(4)
        length = len(payload)
        if length < 126:
            head = struct.pack("!BB", 0x80 | opcode, 0x80 | length)
        elif length < 1 << 16:
            head = struct.pack("!BBH", 0x80 | opcode, 0x80 | 126, length)
        else:
            head = struct.pack("!BBQ", 0x80 | opcode, 0x80 | 127, length)
        masked = bytes(b ^ mask[i % 4] for i, b in enumerate(payload))
        self._socket.sendall(head + mask + masked)

    def receive(self):
        """The next whole message, decoded from JSON."""
        message = b""
        while True:
            first, second = self._take(2)
            length = second & 0x7F
            if length == 126:
                (length,) = struct.unpack("!H", self._take(2))
            elif length == 127:
                (length,) = struct.unpack("!Q", self._take(8))
            payload = self._take(length)
            opcode = first & 0x0F
            if opcode == PING:
                self._send_frame(PONG, payload)
                continue
            if opcode == CLOSE:
                raise RuntimeError("the browser closed the WebSocket")
            message += payload
            if first & 0x80:
                return json.loads(message)

    def call(self, method, params=None, **extra):
        """Sends one command and returns its result; events meanwhile are dropped."""
        self._next_id += 1
        wanted = self._next_id
        self._send_frame(TEXT, json.dumps({"id": wanted, "method": method, "params": params or {}, **extra}).encode())
        while True:
            message = self.receive()
            if message.get("id") == wanted:
                if "error" in message:
                    raise RuntimeError(f"{method}: {message['error']}: {message.get('message', '')}")
                return message.get("result", {})

    def close(self):
        try:
            self._send_frame(CLOSE, b"")
        except OSError:
            pass
        self._socket.close()
