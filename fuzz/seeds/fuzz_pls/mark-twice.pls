﻿[playlist]3=A
file1 = "b.mp3" he2e=x
