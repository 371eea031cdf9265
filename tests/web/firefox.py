"""Opens the page in Debian's headless firefox-esr, driven through WebDriver
BiDi, the protocol Firefox itself serves on a WebSocket (Debian has no
geckodriver). The WebSocket frames are python3-wsproto's, which Debian's
python3-selenium brings along.

A test that cannot find firefox-esr or wsproto exits with 77, which CTest
counts as skipped, after saying why.
"""
import base64
import json
import os
import re
import shutil
import socket
import subprocess
import sys
import tempfile
import threading
import time

import browser

# A fresh profile that asks nothing of the network by itself.
PREFERENCES = {
    "app.update.enabled": False,
    "app.normandy.enabled": False,
    "browser.shell.checkDefaultBrowser": False,
    "datareporting.policy.dataSubmissionEnabled": False,
    "toolkit.telemetry.enabled": False,
    "network.captive-portal-service.enabled": False,
    "network.connectivity-service.enabled": False,
    "browser.safebrowsing.update.enabled": False,
    "extensions.update.enabled": False,
}


def executable():
    return shutil.which("firefox-esr") or shutil.which("firefox")


def skip_unless_usable():
    try:
        import wsproto  # noqa: F401
    except ImportError:
        print("SKIPPED: python3-wsproto is missing (Debian: python3-selenium brings it)")
        sys.exit(browser.SKIP)
    if not executable():
        print("SKIPPED: no firefox-esr here (Debian: firefox-esr)")
        sys.exit(browser.SKIP)


class Firefox:
    """One headless Firefox with one tab, on the page."""

    def __init__(self, width=1000, height=900):
        from wsproto import WSConnection
        from wsproto.connection import ConnectionType
        from wsproto.events import Request
        self.folder = tempfile.mkdtemp(prefix="dravik-firefox-")
        with open(os.path.join(self.folder, "user.js"), "w") as f:
            for name, value in PREFERENCES.items():
                f.write("user_pref(%s, %s);\n" % (json.dumps(name), json.dumps(value)))
        self.process = subprocess.Popen(
            [executable(), "--headless", "--no-remote", "--profile", self.folder, "--remote-debugging-port", "0",
             "--width", str(width), "--height", str(height)],
            stdout=subprocess.PIPE, stderr=subprocess.STDOUT)
        port = self._listening_port()
        self.socket = socket.create_connection(("127.0.0.1", port), timeout=60)
        self.ws = WSConnection(ConnectionType.CLIENT)
        self._send(self.ws.send(Request(host="127.0.0.1:%d" % port, target="/session")))
        self._event()  # the handshake's answer
        self.next_id = 0
        self.requests = []
        self.command("session.new", capabilities={})
        self.command("session.subscribe", events=["network.beforeRequestSent"])
        self.context = self.command("browsingContext.getTree")["contexts"][0]["context"]

    def _listening_port(self, seconds=60):
        deadline = time.time() + seconds
        while time.time() < deadline:
            line = self.process.stdout.readline().decode("utf-8", "replace")
            found = re.search(r"WebDriver BiDi listening on ws://[^:]+:(\d+)", line)
            if found:
                # Whatever Firefox says later is read and dropped, so that a
                # full pipe never stops it.
                threading.Thread(target=self.process.stdout.read, daemon=True).start()
                return int(found.group(1))
            if not line and self.process.poll() is not None:
                break
        raise AssertionError("firefox did not start its WebDriver BiDi server")

    def _send(self, data):
        self.socket.sendall(data)

    def _event(self):
        """The next WebSocket event: a handshake answer or a whole message."""
        from wsproto.events import AcceptConnection, TextMessage
        text = ""
        while True:
            for event in self.ws.events():
                if isinstance(event, AcceptConnection):
                    return event
                if isinstance(event, TextMessage):
                    text += event.data
                    if event.message_finished:
                        return json.loads(text)
            data = self.socket.recv(1 << 16)
            if not data:
                raise AssertionError("firefox closed the connection")
            self.ws.receive_data(data)

    def command(self, method, **params):
        from wsproto.events import TextMessage
        self.next_id += 1
        self._send(self.ws.send(TextMessage(json.dumps({"id": self.next_id, "method": method, "params": params}))))
        while True:
            message = self._event()
            if message.get("method") == "network.beforeRequestSent":
                self.requests.append(message["params"]["request"]["url"])
            elif message.get("id") == self.next_id:
                if message.get("type") == "error":
                    raise AssertionError("%s: %s" % (method, message.get("message") or message.get("error")))
                return message["result"]

    def open_page(self):
        started = time.perf_counter()
        self.command("browsingContext.navigate", context=self.context, url=browser.page_url(), wait="complete")
        ready = self.run("() => new Promise((ok) => { const wait = () => document.body.dataset.ready === '1' ? ok(true)"
                         " : setTimeout(wait, 10); wait(); })")
        self.opened_seconds = time.perf_counter() - started
        return ready

    def run(self, function, *args):
        """The JSON value of `function` (a JavaScript function's text, which
        may return a promise) called with `args`."""
        wrapped = "() => Promise.resolve((%s)(...%s)).then((v) => JSON.stringify(v === undefined ? null : v))" % (
            function, json.dumps(list(args)))
        result = self.command("script.callFunction", functionDeclaration=wrapped, target={"context": self.context},
                              awaitPromise=True)
        if result["type"] == "exception":
            raise AssertionError("the page threw: %s" % result["exceptionDetails"]["text"])
        return json.loads(result["result"]["value"])

    def screenshot(self, path, selector=None):
        params = {"context": self.context}
        if selector:
            rect = self.run("(s) => { const r = document.querySelector(s).getBoundingClientRect();"
                            " return [r.left + scrollX, r.top + scrollY, r.width, r.height]; }", selector)
            params["clip"] = {"type": "box", "x": rect[0], "y": rect[1], "width": rect[2], "height": rect[3]}
            params["origin"] = "document"
        data = self.command("browsingContext.captureScreenshot", **params)["data"]
        with open(path, "wb") as f:
            f.write(base64.b64decode(data))

    def quit(self):
        try:
            self.command("session.end")
        except (AssertionError, OSError):
            pass
        self.socket.close()
        self.process.terminate()
        try:
            self.process.wait(timeout=20)
        except subprocess.TimeoutExpired:
            self.process.kill()
            self.process.wait()
        shutil.rmtree(self.folder, ignore_errors=True)
