def main():
    i = 1
    digits = 0
    g = 0
    while i < 300000:
        n = i
        while n > 0:
            digits += n % 10
            n //= 10
        a = i
        b = 360
        while b != 0:
            t = a % b
            a = b
            b = t
        g += a + i // 1000
        i += 1
    print(digits + g)


main()
