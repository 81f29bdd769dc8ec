# peak.py COMMAND...: the program's own peak resident set in KB, read from /proc while it runs
# (VmHWM belongs to its memory after exec, not the Python's), every 2 ms. Run apart from the
# timed runs, so that the sampling costs them nothing.
import os, subprocess, sys, time
child = subprocess.Popen(sys.argv[1:], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
name, peak = os.path.basename(sys.argv[1])[:15], 0
while child.poll() is None:
    try:
        with open(f"/proc/{child.pid}/status") as status:
            fields = dict(line.split(":", 1) for line in status)
        if fields["Name"].strip() == name:
            peak = max(peak, int(fields["VmHWM"].split()[0]))
    except (OSError, KeyError, ValueError):
        pass
    time.sleep(0.002)
print(peak)
