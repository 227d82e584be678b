#!/usr/bin/env python3
"""Drives headless Chromium through chromedriver (WebDriver over HTTP on localhost) to check a
web page written by quorvex. Standard library only; no network beyond the local driver.

usage: browser_check.py PAGE CHECK [ARG...]
  load TEXT...                        page loads, no script error, every TEXT shown
  sort COLUMN CELL_COLUMN EXPECTED... click column header COLUMN (0-based sheet column) and
                                      compare the texts of CELL_COLUMN, row by row, with
                                      EXPECTED (a "|" separated list for ascending, then "|"
                                      separated for descending after a second click)
  formula ADDRESS EXPECTED            click the cell ADDRESS, formula bar shows EXPECTED
  filter TEXT ROWS                    typing TEXT in the filter box leaves ROWS rows shown
  find TEXT ADDRESS...                find TEXT, then "Find next" once per ADDRESS: each selects
                                      that cell
  pivot ROWS COLUMNS VALUES FUNCTION EXPECTED_JSON
                                      choose the fields by their option texts ("(none)" for no
                                      column field) and compare the pivot table's cell texts
  tabs LABEL TEXT [LABEL TEXT...]     click the sheet tab LABEL; its sheet shows TEXT and is
                                      the only one shown; then the next pair
Exit status 0 when the check holds, 1 when it fails, 77 when Chromium or chromedriver is
missing.
"""
import json
import os
import shutil
import socket
import subprocess
import sys
import tempfile
import time
import urllib.error
import urllib.request
import pathlib

SKIP = 77


def find(*names):
    for name in names:
        path = shutil.which(name)
        if path:
            return path
    return None


class Driver:
    def __init__(self, chromium, chromedriver):
        with socket.socket() as probe:
            probe.bind(("127.0.0.1", 0))
            self.port = probe.getsockname()[1]
        self.profile = tempfile.mkdtemp(prefix="quorvex-chromium-")
        self.process = subprocess.Popen(
            [chromedriver, f"--port={self.port}"], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.base = f"http://127.0.0.1:{self.port}"
        for _ in range(200):
            try:
                self.call("GET", "/status")
                break
            except (urllib.error.URLError, ConnectionError):
                time.sleep(0.05)
        args = ["--headless", "--no-sandbox", "--disable-gpu", "--no-first-run",
                "--disable-background-networking", "--disable-component-update", "--disable-sync",
                "--window-size=1200,900", f"--user-data-dir={self.profile}"]
        capabilities = {"capabilities": {"alwaysMatch": {
            "browserName": "chrome",
            "goog:chromeOptions": {"binary": chromium, "args": args},
            "goog:loggingPrefs": {"browser": "ALL"}}}}
        self.session = self.call("POST", "/session", capabilities)["sessionId"]

    def call(self, method, path, body=None):
        data = json.dumps(body).encode() if body is not None else None
        request = urllib.request.Request(self.base + path, data=data, method=method,
                                         headers={"Content-Type": "application/json"})
        try:
            with urllib.request.urlopen(request, timeout=60) as response:
                return json.loads(response.read().decode()).get("value")
        except urllib.error.HTTPError as error:
            raise RuntimeError(f"{method} {path}: {error.read().decode()[:500]}") from None

    def session_call(self, method, path, body=None):
        return self.call(method, f"/session/{self.session}{path}", body)

    def open(self, url):
        self.session_call("POST", "/url", {"url": url})

    def script(self, code, *args):
        return self.session_call("POST", "/execute/sync", {"script": code, "args": list(args)})

    def element(self, css):
        found = self.session_call("POST", "/element", {"using": "css selector", "value": css})
        return next(iter(found.values()))

    def click(self, css):
        self.session_call("POST", f"/element/{self.element(css)}/click", {})

    def type(self, css, text):
        self.session_call("POST", f"/element/{self.element(css)}/value", {"text": text})

    def errors(self):
        try:
            entries = self.session_call("POST", "/se/log", {"type": "browser"}) or []
        except RuntimeError:
            entries = []
        problems = [entry["message"] for entry in entries if entry.get("level") == "SEVERE"]
        marker = self.script("return document.documentElement.getAttribute('data-script-error');")
        if marker:
            problems.append(marker)
        return problems

    def close(self):
        try:
            self.call("DELETE", f"/session/{self.session}")
        except Exception:
            pass
        self.process.terminate()
        try:
            self.process.wait(timeout=10)
        except subprocess.TimeoutExpired:
            self.process.kill()
        shutil.rmtree(self.profile, ignore_errors=True)


def fail(message):
    print("FAILED: " + message)
    return 1


def column_texts(driver, column):
    return driver.script(
        "var column=arguments[0],out=[];"
        "document.querySelectorAll('table.q-sheet tbody tr').forEach(function(row){"
        "if(row.style.display==='none')return;"
        "var cell=row.querySelector('td[data-c=\"'+column+'\"]');out.push(cell?cell.textContent:'');});"
        "return out;", column)


def check_load(driver, texts):
    shown = driver.script("return document.body ? document.body.innerText : '';")
    missing = [text for text in texts if text not in shown]
    if missing:
        return fail(f"texts not shown: {missing!r}; page text begins {shown[:300]!r}")
    return 0


def check_sort(driver, column, cell_column, ascending, descending):
    driver.click(f"th[data-c='{column}']")
    got = column_texts(driver, cell_column)
    if got != ascending:
        return fail(f"ascending sort gave {got!r}, expected {ascending!r}")
    driver.click(f"th[data-c='{column}']")
    got = column_texts(driver, cell_column)
    if got != descending:
        return fail(f"descending sort gave {got!r}, expected {descending!r}")
    return 0


def check_formula(driver, address, expected):
    driver.click(f"td[data-a='{address}']")
    got = driver.script("return document.getElementById('q-formula').value;")
    if got != expected:
        return fail(f"formula bar shows {got!r}, expected {expected!r}")
    return 0


def check_filter(driver, text, rows):
    driver.type("#q-filter", text)
    shown = driver.script(
        "return Array.prototype.filter.call(document.querySelectorAll('table.q-sheet tbody tr'),"
        "function(row){return row.style.display!=='none';}).length;")
    if shown != int(rows):
        return fail(f"filter {text!r} leaves {shown} rows, expected {rows}")
    return 0


def check_find(driver, text, addresses):
    driver.type("#q-find", text)
    for address in addresses:
        driver.click("#q-find-next")
        got = driver.script("return document.getElementById('q-address').value;")
        if got != address:
            return fail(f"finding {text!r} selected {got!r}, expected {address!r}")
    return 0


def choose(driver, select_id, option_text):
    index = driver.script(
        "var s=document.getElementById(arguments[0]);"
        "for(var i=0;i<s.options.length;i++){if(s.options[i].text===arguments[1])return i;}return -1;",
        select_id, option_text)
    if index < 0:
        raise RuntimeError(f"no option {option_text!r} in #{select_id}")
    driver.click(f"#{select_id}")
    driver.click(f"#{select_id} option:nth-child({index + 1})")


def check_pivot(driver, rows, columns, values, function, expected):
    choose(driver, "q-pivot-rows", rows)
    choose(driver, "q-pivot-columns", columns)
    choose(driver, "q-pivot-values", values)
    choose(driver, "q-pivot-function", function)
    got = driver.script(
        "return Array.prototype.map.call(document.querySelectorAll('table.q-pivot tr'),function(row){"
        "return Array.prototype.map.call(row.cells,function(cell){return cell.textContent;});});")
    if got != expected:
        return fail(f"pivot table is {got!r}, expected {expected!r}")
    return 0


def check_tabs(driver, label, text):
    driver.script(
        "var labels=document.querySelectorAll('.q-book summary');"
        "for(var i=0;i<labels.length;i++){labels[i].removeAttribute('data-test-target');"
        "if(labels[i].textContent===arguments[0]){labels[i].setAttribute('data-test-target','1');}}", label)
    driver.click("summary[data-test-target='1']")
    shown = driver.script(
        "return Array.prototype.filter.call(document.querySelectorAll('.q-panel'),function(panel){"
        "return panel.open;}).map(function(panel){return panel.querySelector('table').innerText;});")
    if len(shown) != 1 or text not in shown[0]:
        return fail(f"after choosing tab {label!r} the shown panels are {shown!r}; expected one holding {text!r}")
    return 0


def main(argv):
    if len(argv) < 3:
        print(__doc__)
        return 2
    chromium = find("chromium", "chromium-browser", "google-chrome")
    chromedriver = find("chromedriver")
    if not chromium or not chromedriver:
        print("SKIPPED: chromium or chromedriver is not installed")
        return SKIP
    page, check, args = argv[1], argv[2], argv[3:]
    driver = Driver(chromium, chromedriver)
    try:
        driver.open(pathlib.Path(os.path.abspath(page)).as_uri())
        for _ in range(100):
            if driver.script("return document.readyState;") == "complete":
                break
            time.sleep(0.05)
        errors = driver.errors()
        if errors:
            return fail(f"script errors: {errors!r}")
        if check == "load":
            result = check_load(driver, args)
        elif check == "sort":
            result = check_sort(driver, args[0], args[1], args[2].split("|"), args[3].split("|"))
        elif check == "formula":
            result = check_formula(driver, args[0], args[1])
        elif check == "filter":
            result = check_filter(driver, args[0], args[1])
        elif check == "find":
            result = check_find(driver, args[0], args[1:])
        elif check == "pivot":
            result = check_pivot(driver, args[0], args[1], args[2], args[3], json.loads(args[4]))
        elif check == "tabs":
            result = 0
            for label, text in zip(args[0::2], args[1::2]):
                result = result or check_tabs(driver, label, text)
        else:
            return fail(f"unknown check {check!r}")
        errors = driver.errors()
        if result == 0 and errors:
            return fail(f"script errors after the check: {errors!r}")
        if result == 0:
            print("OK")
        return result
    finally:
        driver.close()


if __name__ == "__main__":
    sys.exit(main(sys.argv))
