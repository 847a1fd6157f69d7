# The other program moves level.ck1 away.
file(RENAME level.ck1 moved.ck1)
