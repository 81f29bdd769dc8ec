# measure.py RUNS COMMAND...: "wall cpu peak" of the fastest run: seconds, seconds of CPU (user +
# system), and the largest resident set of any run in KB (the children's maxrss, a shell's too).
import resource, subprocess, sys, time
runs, command = int(sys.argv[1]), sys.argv[2:]
best = None
for _ in range(runs):
    before = resource.getrusage(resource.RUSAGE_CHILDREN)
    start = time.perf_counter()
    subprocess.run(command, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    wall = time.perf_counter() - start
    after = resource.getrusage(resource.RUSAGE_CHILDREN)
    cpu = after.ru_utime - before.ru_utime + after.ru_stime - before.ru_stime
    if best is None or wall < best[0]:
        best = (wall, cpu)
print(f"{best[0]:.3f} {best[1]:.3f} {resource.getrusage(resource.RUSAGE_CHILDREN).ru_maxrss}")
