#!/usr/bin/env python3
"""The release's signature, offline: a throwaway root, code-signing
certificates under it and a timestamp authority, made by openssl for this
run; the authority served over HTTP on 127.0.0.1 until the run ends. No
other address is contacted.

    signing_test.py BUILD_DIR SHIPPED_EXE STARTED_EXE TRUST_CHECK_EXE WIN32_TESTS_EXE CPACK CPACK_CONFIG

SHIPPED_EXE is the lumora.exe the release ships, signed and checked here;
STARTED_EXE the one of BUILD_DIR's own architecture, signed alike and
started on its Wine bench (the same where 32-bit programs run).
"""
import hashlib
import http.server
import json
import os
import pathlib
import shutil
import sys
import tempfile
import threading
import time
import unittest
import zipfile

from throwaway_pki import Pki, TimestampAuthority, free_port, run

HERE = pathlib.Path(__file__).resolve().parent
SIGN = HERE.parent.parent / "scripts" / "sign.sh"
WINE_BENCH = HERE.parent.parent / "scripts" / "wine-bench.sh"
BUILD, EXE, STARTED, TRUST_CHECK, WIN32_TESTS, CPACK, CPACK_CONFIG = sys.argv[1:8]
NO_SIGNATURE, BAD_DIGEST = 0x800B0100, 0x80096010


def sha256(path):
    return hashlib.sha256(pathlib.Path(path).read_bytes()).hexdigest()


def windows_path(path):
    return "Z:" + str(path).replace("/", "\\")


class Signing(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.work = pathlib.Path(tempfile.mkdtemp(prefix="lumora-signing."))
        cls.pki = Pki(cls.work)
        TimestampAuthority.pki = cls.pki
        cls.server = http.server.HTTPServer(("127.0.0.1", 0), TimestampAuthority)
        threading.Thread(target=cls.server.serve_forever, daemon=True).start()
        cls.tsa = f"http://127.0.0.1:{cls.server.server_address[1]}"
        cls.time = str(int(time.time()))  # one signing time for every signature
        cls.unsigned = cls.work / "unsigned.exe"
        shutil.copyfile(EXE, cls.unsigned)
        cls.signed = cls.sign("signed.exe", "--timestamp", cls.tsa)
        cls.untimestamped = cls.sign("untimestamped.exe")
        cls.started = cls.sign("started.exe", "--timestamp", cls.tsa, unsigned=STARTED)

    @classmethod
    def tearDownClass(cls):
        cls.server.shutdown()
        cls.server.server_close()
        shutil.rmtree(cls.work)

    @classmethod
    def sign(cls, out, *options, certificate=("--pkcs12", "signer.p12"), password="password", unsigned=None):
        made = run("bash", SIGN, certificate[0], cls.pki.path(certificate[1]), *certificate[2:],
                   "--password-file", cls.pki.path(password), "--time", cls.time, *options,
                   unsigned or cls.unsigned, cls.work / out)
        print(made.stdout.strip())
        return cls.work / out

    def verify(self, path, *options):
        verified = run("osslsigncode", "verify", "-CAfile", self.pki.path("root.crt"), "-TSA-CAfile",
                       self.pki.path("root.crt"), *options, "-in", path, check=False)
        return verified.returncode, verified.stdout

    def test_the_signature_verifies_with_its_chain_name_address_and_timestamp(self):
        status, report = self.verify(self.signed)
        shown = [line.strip() for line in report.splitlines() if line.strip().startswith(
            ("Message digest algorithm  :", "Text description", "URL description",
             "Timestamp Server Signature verification", "Signature verification:"))]
        print("osslsigncode verify:", *shown, sep="\n  ")
        self.assertEqual(status, 0, report)
        for line in ("Message digest algorithm  : SHA256", "Text description: Lumora",
                     "URL description: https://", "Timestamp Server Signature verification: ok",
                     "Signature verification: ok"):
            self.assertIn(line, report)
        # The chain travels with the signature: the signer's certificate and the root.
        run("osslsigncode", "extract-signature", "-pem", "-in", self.signed, "-out", self.work / "signature.pem")
        certificates = run("openssl", "pkcs7", "-in", self.work / "signature.pem", "-print_certs",
                           "-noout").stdout
        chain = [line for line in certificates.splitlines() if line.startswith("subject=")]
        print("certificates in the signature:", chain)
        self.assertEqual(len(chain), 2)
        self.assertTrue(any("Throwaway Root" in line for line in chain))

    def test_windows_accepts_the_signed_program_only(self):
        tampered = self.work / "tampered.exe"
        data = bytearray(self.signed.read_bytes())
        data[len(data) // 2] ^= 0x01
        tampered.write_bytes(data)
        files = [self.signed, self.unsigned, tampered]
        checked = run("bash", WINE_BENCH, "run", BUILD, TRUST_CHECK, *map(windows_path, files))
        print("WinVerifyTrust:", checked.stdout.strip().replace("\n", "; "))
        answers = [int(line.rsplit(" ", 1)[1], 16) for line in checked.stdout.splitlines()]
        self.assertEqual(answers, [0, NO_SIGNATURE, BAD_DIGEST])

    def test_the_timestamp_keeps_the_signature_valid_after_the_certificate_ends(self):
        a_month_on = str(int(time.time()) + 30 * 86400)
        results = [self.verify(path, "-time", a_month_on)[0] for path in (self.signed, self.untimestamped)]
        print("verified a month on: timestamped", results[0], "untimestamped", results[1])
        self.assertEqual(results[0], 0)
        self.assertNotEqual(results[1], 0)

    def test_the_signed_program_starts_and_ends_as_the_unsigned_one(self):
        # The checks the unsigned program passes as a process of its own.
        self.assertEqual(self.verify(self.started)[0], 0)
        started = run("bash", WINE_BENCH, "run", BUILD, WIN32_TESTS, "--gtest_filter=EndToEnd.*",
                      env=dict(os.environ, LUMORA_EXE=str(self.started)), check=False)
        print("the signed lumora.exe:", started.stdout.strip().splitlines()[-1])
        self.assertEqual(started.returncode, 0, started.stdout)
        self.assertIn("[  PASSED  ] 2 tests.", started.stdout)

    def test_the_signature_comes_off_to_the_built_program_and_signs_alike_twice(self):
        removed = self.work / "removed.exe"
        run("osslsigncode", "remove-signature", "-in", self.signed, "-out", removed)
        again = self.sign("again.exe")
        pem = self.sign("pem.exe", certificate=("--cert", "signer-chain.pem", "--key", self.pki.path("signer.key")))
        print("signature removed:", sha256(removed), "built:", sha256(EXE))
        print("signed twice:", sha256(self.untimestamped), sha256(again), "from PEM:", sha256(pem))
        self.assertEqual(removed.read_bytes(), pathlib.Path(EXE).read_bytes())
        self.assertEqual(again.read_bytes(), self.untimestamped.read_bytes())
        self.assertEqual(pem.read_bytes(), self.untimestamped.read_bytes())

    def test_bad_input_says_what_is_wrong_and_leaves_nothing(self):
        silent = f"http://127.0.0.1:{free_port()}"
        cases = [
            ("wrong password", ["--pkcs12", "signer.p12"], "wrong-password", [], "wrong password for"),
            ("no code signing", ["--pkcs12", "server.p12"], "password", [], "is not for code signing"),
            ("expired", ["--pkcs12", "expired.p12"], "password", [], "expired on"),
            ("missing", ["--pkcs12", "missing.p12"], "password", [], "cannot read the PKCS#12 file"),
            ("unreadable", ["--pkcs12", "."], "password", [], "cannot read the PKCS#12 file"),
            ("no timestamp", ["--pkcs12", "signer.p12"], "password", ["--timestamp", silent],
             f"the timestamp server {silent} did not answer"),
        ]
        before = sha256(self.unsigned)
        for name, certificate, password, options, says in cases:
            with self.subTest(name):
                out = self.work / "bad" / "lumora.exe"
                out.parent.mkdir(exist_ok=True)
                shutil.copyfile(self.signed, out)  # an earlier run's: gone once refused
                made = run("bash", SIGN, certificate[0], self.pki.path(certificate[1]), "--password-file",
                           self.pki.path(password), *options, self.unsigned, out, check=False)
                print(f"{name}: status {made.returncode}: {made.stderr.strip()}")
                self.assertEqual(made.returncode, 1)
                self.assertEqual(len(made.stderr.splitlines()), 1, made.stderr)
                self.assertIn(says, made.stderr)
                self.assertEqual(list(out.parent.iterdir()), [])
                self.assertEqual(sha256(self.unsigned), before)

    def test_the_package_holds_the_signed_program_under_its_checksum(self):
        out = self.work / "package"
        publisher = self.work / "publisher.conf"
        publisher.write_text("publisher = NorvaleSoft\nhomepage = https://lumora.example/\n"
                             "release_url = https://lumora.example/{version}/{file}\n"
                             "release_notes_url = https://lumora.example/{version}/notes\n")
        env = dict(os.environ, LUMORA_SIGN_PKCS12=self.pki.path("signer.p12"),
                   LUMORA_SIGN_PASSWORD_FILE=self.pki.path("password"), LUMORA_TIMESTAMP_URL=self.tsa,
                   LUMORA_PUBLISHER_CONF=str(publisher))
        run(CPACK, "--config", CPACK_CONFIG, "-B", out, env=env)
        package = next(out.glob("*.zip"))
        with zipfile.ZipFile(package) as archive:
            (out / "lumora.exe").write_bytes(archive.read("lumora.exe"))
        status, _ = self.verify(out / "lumora.exe")
        print("package:", package.name, "lumora.exe verifies:", status == 0)
        self.assertEqual(status, 0)
        self.assertEqual((out / (package.name + ".sha256")).read_text().split()[0], sha256(package))
        scoop = json.loads((out / "scoop" / "lumora.json").read_text())
        self.assertEqual(scoop["url"], f"https://lumora.example/{scoop['version']}/{package.name}")

    def test_a_signed_release_refuses_placeholder_addresses_and_leaves_no_earlier_one(self):
        out = self.work / "refused"
        out.mkdir()
        earlier = [out / "lumora-1.00-win32.zip", out / "lumora-1.00-win32.zip.sha256", out / "scoop",
                   out / "_CPack_Packages"]
        for path in earlier[:2]:
            path.write_text("an earlier run's")
        for path in earlier[2:]:
            path.mkdir()
        shutil.copyfile(self.signed, earlier[3] / "lumora.exe")
        env = dict(os.environ, LUMORA_SIGN_PKCS12=self.pki.path("signer.p12"),
                   LUMORA_SIGN_PASSWORD_FILE=self.pki.path("password"))
        made = run(CPACK, "--config", CPACK_CONFIG, "-B", out, env=env, check=False)
        said = [line for line in (made.stdout + made.stderr).splitlines() if line.startswith("release:")]
        print("refused:", made.returncode, *said)
        self.assertNotEqual(made.returncode, 0)
        self.assertEqual(len(said), 1)
        for name in ("homepage (home address)", "release_url (release address)",
                     "release_notes_url (release notes address)"):
            self.assertIn(name, said[0])
        self.assertEqual([path for path in earlier if path.exists()], [])
        self.assertEqual(list(out.rglob("*.exe")), [])


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1], verbosity=2)
