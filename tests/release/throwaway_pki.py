"""A throwaway public key infrastructure for the release tests, made by
openssl in a folder of the test's: a root, certificates under it with their
PKCS#12 files, and an RFC 3161 timestamp authority to serve over HTTP.
"""
import http.server
import pathlib
import socket
import subprocess
import tempfile
import time

CA_CONFIG = """
[ ca ]
default_ca = throwaway
[ throwaway ]
dir = .
database = index.txt
new_certs_dir = .
serial = serial
default_md = sha256
policy = any
unique_subject = no
[ any ]
commonName = supplied
[ req ]
distinguished_name = dn
prompt = no
[ dn ]
CN = unused
[ root ]
basicConstraints = critical, CA:TRUE
keyUsage = critical, keyCertSign, cRLSign
subjectKeyIdentifier = hash
[ code_signing ]
basicConstraints = CA:FALSE
keyUsage = critical, digitalSignature
extendedKeyUsage = codeSigning
[ server ]
basicConstraints = CA:FALSE
keyUsage = critical, digitalSignature
extendedKeyUsage = serverAuth
[ timestamping ]
basicConstraints = CA:FALSE
keyUsage = critical, digitalSignature, nonRepudiation
extendedKeyUsage = critical, timeStamping
[ tsa ]
default_tsa = throwaway_tsa
[ throwaway_tsa ]
serial = tsaserial
signer_digest = sha256
default_policy = 1.2.3.4.1
digests = sha256
accuracy = secs:1
ess_cert_id_alg = sha256
"""


def run(*command, check=True, env=None, cwd=None):
    done = subprocess.run([str(c) for c in command], capture_output=True, text=True, env=env, cwd=cwd)
    if check and done.returncode != 0:
        raise AssertionError(f"{' '.join(map(str, command))}: status {done.returncode}\n{done.stderr}")
    return done


def stamp(days):
    return time.strftime("%Y%m%d%H%M%SZ", time.gmtime(time.time() + days * 86400))


class Pki:
    """The root, certificates under it, and their PKCS#12 files, password "secret"."""

    def __init__(self, where):
        self.dir = where
        (where / "ca.cnf").write_text(CA_CONFIG)
        (where / "index.txt").write_text("")
        (where / "serial").write_text("1000\n")
        (where / "tsaserial").write_text("01\n")
        (where / "password").write_text("secret\n")
        (where / "wrong-password").write_text("guess\n")
        self.openssl("req", "-x509", "-newkey", "rsa:2048", "-nodes", "-keyout", "root.key", "-out",
                     "root.crt", "-days", "3650", "-subj", "/CN=Throwaway Root", "-config", "ca.cnf",
                     "-extensions", "root")
        # Valid for two days from yesterday, so that a time a month on is after its end.
        self.issue("signer", "code_signing", -1, 2)
        self.issue("server", "server", -1, 2)
        self.issue("expired", "code_signing", -3000, -2000)
        self.issue("tsa", "timestamping", -1, 3000)
        (where / "signer-chain.pem").write_text((where / "signer.crt").read_text() +
                                                (where / "root.crt").read_text())

    def openssl(self, *args):
        return run("openssl", *args, cwd=self.dir)

    def issue(self, name, extensions, first_day, last_day):
        self.openssl("req", "-new", "-newkey", "rsa:2048", "-nodes", "-keyout", f"{name}.key", "-out",
                     f"{name}.csr", "-subj", f"/CN=Lumora test {name}", "-config", "ca.cnf")
        self.openssl("ca", "-batch", "-config", "ca.cnf", "-cert", "root.crt", "-keyfile", "root.key",
                     "-in", f"{name}.csr", "-out", f"{name}.crt", "-extensions", extensions,
                     "-startdate", stamp(first_day), "-enddate", stamp(last_day), "-notext")
        self.openssl("pkcs12", "-export", "-inkey", f"{name}.key", "-in", f"{name}.crt", "-certfile",
                     "root.crt", "-passout", "file:password", "-out", f"{name}.p12")

    def path(self, name):
        return str(self.dir / name)


class TimestampAuthority(http.server.BaseHTTPRequestHandler):
    """RFC 3161 over HTTP: each query answered by openssl ts."""
    pki = None

    def do_POST(self):  # noqa: N802 (the server's name for it)
        query = self.rfile.read(int(self.headers["Content-Length"]))
        with tempfile.TemporaryDirectory() as work:
            pathlib.Path(work, "query").write_bytes(query)
            made = run("openssl", "ts", "-reply", "-config", "ca.cnf", "-section", "throwaway_tsa", "-queryfile",
                       f"{work}/query", "-signer", "tsa.crt", "-inkey", "tsa.key", "-chain", "root.crt",
                       "-out", f"{work}/reply", check=False, cwd=self.pki.dir)
            reply = pathlib.Path(work, "reply").read_bytes() if made.returncode == 0 else b""
        self.send_response(200 if reply else 500)
        self.send_header("Content-Type", "application/timestamp-reply")
        self.send_header("Content-Length", str(len(reply)))
        self.end_headers()
        self.wfile.write(reply)

    def log_message(self, *args):
        pass


def free_port():
    """A port of 127.0.0.1 that nothing listens on."""
    with socket.socket() as probe:
        probe.bind(("127.0.0.1", 0))
        return probe.getsockname()[1]
