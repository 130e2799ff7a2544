#pragma once

#include <bit>
#include <cstdint>

// Exact arithmetic for the number conversions, without the heap.

// A finite double as mantissa * 2^exponent.
struct BinaryNumber {
    std::uint64_t mantissa;
    int exponent;
};

inline BinaryNumber FromBits(std::uint64_t bits)
{
    const int field = static_cast<int>(bits >> 52 & 0x7ff);
    const std::uint64_t fraction = bits & ((std::uint64_t{1} << 52) - 1);
    if (field == 0)
        return {fraction, -1074};
    return {fraction | std::uint64_t{1} << 52, field - 1075};
}

// A fixed-size unsigned integer: just enough to compare a decimal and a
// binary number exactly. The callers size Limbs for their largest operand.
template <int Limbs>
class BigUnsigned {
public:
    explicit BigUnsigned(std::uint64_t value = 0)
    {
        m_limb[0] = static_cast<std::uint32_t>(value);
        m_limb[1] = static_cast<std::uint32_t>(value >> 32);
        m_size = 2;
        Trim();
    }

    // this = this * factor + addend, factor > 0.
    void MulAdd(std::uint32_t factor, std::uint32_t addend = 0)
    {
        std::uint64_t carry = addend;
        for (int i = 0; i < m_size; ++i) {
            carry += std::uint64_t{m_limb[i]} * factor;
            m_limb[i] = static_cast<std::uint32_t>(carry);
            carry >>= 32;
        }
        if (carry != 0)
            m_limb[m_size++] = static_cast<std::uint32_t>(carry);
    }

    void MulPow5(int exponent)
    {
        for (; exponent >= 13; exponent -= 13)
            MulAdd(1220703125);  // 5^13, the largest power of 5 in a limb
        for (; exponent > 0; --exponent)
            MulAdd(5);
    }

    // this = other * factor.
    void SetProduct(const BigUnsigned& other, std::uint64_t factor)
    {
        m_size = 0;
        AddProduct(other, static_cast<std::uint32_t>(factor), 0);
        if (factor >> 32 != 0)
            AddProduct(other, static_cast<std::uint32_t>(factor >> 32), 1);
        Trim();
    }

    long BitLength() const { return m_size == 0 ? 0 : 32L * m_size - std::countl_zero(m_limb[m_size - 1]); }

    // The sign of a - b * 2^shift, for any shift.
    friend int Compare(const BigUnsigned& a, const BigUnsigned& b, int shift)
    {
        if (shift < 0)
            return -Compare(b, a, -shift);
        const long aBits = a.BitLength();
        const long bBits = b.BitLength() + (b.m_size != 0 ? shift : 0);
        if (aBits != bBits)
            return aBits < bBits ? -1 : 1;
        for (int i = a.m_size - 1; i >= 0; --i) {
            const std::uint32_t bLimb = b.ShiftedLimb(i, shift);
            if (a.m_limb[i] != bLimb)
                return a.m_limb[i] < bLimb ? -1 : 1;
        }
        return 0;
    }

private:
    // this += other * factor * 2^(32 * offset), where this holds at least
    // offset limbs unless other is 0. Each step stays below 2^64:
    // (2^32 - 1) + (2^32 - 1)^2 + (2^32 - 1) = 2^64 - 1.
    void AddProduct(const BigUnsigned& other, std::uint32_t factor, int offset)
    {
        std::uint64_t carry = 0;
        for (int i = offset, j = 0; j < other.m_size || carry != 0; ++i, ++j) {
            if (i == m_size)
                m_limb[m_size++] = 0;
            carry += m_limb[i] + (j < other.m_size ? std::uint64_t{other.m_limb[j]} * factor : 0);
            m_limb[i] = static_cast<std::uint32_t>(carry);
            carry >>= 32;
        }
    }

    void Trim()
    {
        while (m_size > 0 && m_limb[m_size - 1] == 0)
            --m_size;
    }

    std::uint32_t Limb(long index) const { return index >= 0 && index < m_size ? m_limb[index] : 0; }

    // Limb index of this * 2^shift.
    std::uint32_t ShiftedLimb(int index, int shift) const
    {
        const long source = index - shift / 32;
        const int bits = shift % 32;
        if (bits == 0)
            return Limb(source);
        return Limb(source) << bits | Limb(source - 1) >> (32 - bits);
    }

    int m_size = 0;  // limbs in use; the top one is nonzero
    std::uint32_t m_limb[Limbs];
};
