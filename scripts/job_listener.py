#!/usr/bin/env python3
"""Plays the network printer behind the test CUPS queue.

CUPS's socket backend connects to this listener for every job and sends the job's
bytes; each connection becomes one file jobs/job-NNNN.prn. A job is written under a
temporary name and renamed when the connection closes, so a test that sees a job
file sees all of it.
"""

import argparse
import logging
import os
import re
import signal
import socket
import socketserver
import sys
import threading

JOB_NAME = re.compile(r"^job-(\d+)\.prn$")


class JobStore:
    """Numbers jobs after the highest one already in the folder, so a restarted
    listener never overwrites a job a test may still be looking for."""

    def __init__(self, folder):
        self.folder = folder
        self.lock = threading.Lock()
        os.makedirs(folder, exist_ok=True)
        numbers = [int(m.group(1)) for m in map(JOB_NAME.match, os.listdir(folder)) if m]
        self.last = max(numbers, default=0)

    def next_number(self):
        with self.lock:
            self.last += 1
            return self.last

    def save(self, number, data):
        final = os.path.join(self.folder, "job-%04d.prn" % number)
        temp = os.path.join(self.folder, ".job-%04d.prn.part" % number)
        with open(temp, "wb") as f:
            f.write(data)
            f.flush()
            os.fsync(f.fileno())
        os.replace(temp, final)
        return final


class JobHandler(socketserver.BaseRequestHandler):
    def handle(self):
        store = self.server.store
        chunks = []
        peer = "%s:%s" % self.client_address[:2]
        try:
            self.request.settimeout(self.server.idle_timeout)
            while True:
                chunk = self.request.recv(65536)
                if not chunk:
                    break
                chunks.append(chunk)
        except (ConnectionError, socket.timeout, OSError) as e:
            # A reset or stalled sender still leaves whatever arrived: a test
            # comparing bytes learns more from a short job than from none.
            logging.warning("connection from %s ended early: %s", peer, e)
        data = b"".join(chunks)
        if not data:
            # A connection that sends nothing (a probe) is not a job.
            logging.info("empty connection from %s ignored", peer)
            return
        number = store.next_number()
        try:
            path = store.save(number, data)
            logging.info("job %d from %s: %d bytes -> %s", number, peer, len(data), path)
        except OSError as e:
            logging.error("job %d from %s could not be stored: %s", number, peer, e)


class Server(socketserver.ThreadingMixIn, socketserver.TCPServer):
    allow_reuse_address = True
    daemon_threads = True

    def handle_error(self, request, client_address):
        # One broken connection must never stop the printer for later jobs.
        logging.exception("connection from %s failed", client_address)


def main(argv=None):
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--jobs-dir", required=True)
    parser.add_argument("--host", default="127.0.0.1")
    parser.add_argument("--port", type=int, default=9100)
    parser.add_argument("--pid-file")
    parser.add_argument("--log-file")
    parser.add_argument("--idle-timeout", type=float, default=60.0,
                        help="seconds of silence after which a connection is ended")
    args = parser.parse_args(argv)

    logging.basicConfig(
        filename=args.log_file,
        level=logging.INFO,
        format="%(asctime)s %(levelname)s %(message)s",
    )

    store = JobStore(args.jobs_dir)
    try:
        server = Server((args.host, args.port), JobHandler)
    except OSError as e:
        logging.error("cannot listen on %s:%d: %s", args.host, args.port, e)
        print("job_listener: cannot listen on %s:%d: %s" % (args.host, args.port, e),
              file=sys.stderr)
        return 1
    server.store = store
    server.idle_timeout = args.idle_timeout

    def stop(signum, frame):
        threading.Thread(target=server.shutdown, daemon=True).start()

    signal.signal(signal.SIGTERM, stop)
    signal.signal(signal.SIGINT, stop)
    if hasattr(signal, "SIGHUP"):
        signal.signal(signal.SIGHUP, signal.SIG_IGN)

    if args.pid_file:
        with open(args.pid_file, "w") as f:
            f.write("%d\n" % os.getpid())
    logging.info("listening on %s:%d, jobs in %s (next job %d)",
                 args.host, args.port, args.jobs_dir, store.last + 1)
    try:
        server.serve_forever(poll_interval=0.5)
    finally:
        server.server_close()
        if args.pid_file:
            try:
                with open(args.pid_file) as f:
                    if f.read().strip() == str(os.getpid()):
                        os.unlink(args.pid_file)
            except OSError:
                pass
        logging.info("stopped")
    return 0


if __name__ == "__main__":
    sys.exit(main())
