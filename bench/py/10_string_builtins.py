def main():
    t = "The quick brown fox jumps over the lazy dog"
    i = 0
    n = 0
    while i < 300000:
        a = t[:9]
        b = t[-8:]
        c = t[10:10 + 5]
        p = t.find(c)
        d = a.replace("quick", "slow")
        e = str(i)
        n += len(d) + p + int(e) % 7 + len(b)
        i += 1
    print(n)


main()
